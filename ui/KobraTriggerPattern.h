#pragma once
// An editor of trigger bit patterns: blocks of a title, a mode combo, a pattern field of "0", "1"
// and "X" (shown in groups of four) and the pattern's bit count, optionally gathered in titled
// groups. Blocks are numbered from 1 in the order they were added.
#include <QList>
#include <QString>
#include <QStringList>

#include "host/gui/VGXNavigationPanel.h"

namespace MvQARN {

class VGXComboParameter;
class VGXLabel;
class VGXPanel;
class VGXTextParameter;

class VGX_EXPORT KobraTriggerPattern : public VGXNavigationPanel {
    Q_OBJECT
public:
    // The four indices bind every block's parameters (instance t0, channel t3, direction t1,
    // station t2; -1 takes the current instance).
    KobraTriggerPattern(QWidget* parent, int instance, int channel, int direction, int station);
    ~KobraTriggerPattern() override;

    // Blocks added from now on go into a new group with this title.
    void createGroup(const QString& title);
    // further: a description of the block for the help line and accessibility tools.
    void addBlock(int bitCount, const QString& title, const char* comboParameter,
                  const char* patternParameter, const QString& further, const QStringList& texts,
                  const QList<int>& values);
    // Block numbers outside 1 .. blockCount() are ignored.
    void setTitle(int block, const QString& text);
    void setReadOnly(int block, bool readOnly);
    void replaceComboDescriptor(int block, const char* comboParameter, const QStringList& texts,
                                const QList<int>& values);

    int blockCount() const { return m_count; }
    QString blockTitle(int block) const;
    VGXComboParameter* blockCombo(int block) const;
    VGXTextParameter* blockPattern(int block) const;

private:
    struct Block {
        VGXLabel* title;
        VGXComboParameter* combo;
        VGXTextParameter* pattern;
    };
    const Block* block(int number) const;

    int m_instance;
    int m_channel;
    int m_direction;
    int m_station;
    int m_count = 0;
    VGXPanel* m_group = nullptr;
    QList<Block> m_blocks;
};

} // namespace MvQARN
