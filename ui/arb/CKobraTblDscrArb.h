#pragma once
// What the ARB waveform table shows: four entries (rows) with their file, sample rate, number of
// samples, level, PEP and on/off state, read from the ARB parameters of one interface. Each cell
// follows its parameter and is redrawn alone when that parameter changes; activating a file cell
// lets the user pick a waveform file for that entry.
#include <QFont>
#include <QString>
#include <array>
#include <memory>

#include "host/gui/VGXDataListener.h"
#include "host/gui/VGXDescriptorTable.h"

class QWidget;

namespace MvQARN {

class VGXDatabaseConnectorEntry;
class VGXDescriptorEntry;

// Names of the parameters an ARB table shows; a null name leaves its column unbound.
struct SKobraArbNames {
    const char* file = nullptr;
    const char* sampleRate = nullptr;
    const char* samples = nullptr;
    const char* rms = nullptr;
    const char* pep = nullptr;
    const char* state = nullptr;
};

class CKobraTblDscrArb : public VGXDescriptorTable, public VGXDataListener {
public:
    enum EColumn { ColFile = 0, ColSampleRate, ColSamples, ColLevel, ColPep, ColState, ColCount };
    static constexpr int RowCount = 4;

    // Binds to the current instance and direction; row r to ARB entry r. name is the panel's name,
    // used in the file dialog's titles; dialogParent owns the dialogs the table opens.
    CKobraTblDscrArb(const QString& name, const SKobraArbNames& names, QWidget* dialogParent);
    ~CKobraTblDscrArb() override;

    int rowCount() const override { return RowCount; }
    int columnCount() const override { return ColCount; }
    QString headerText(int column) const override;
    QString widthTemplate(int column) const override;
    QString rowHeader(int row) const override;
    QString rowHeaderTemplate() const override;
    QString cellText(int row, int column) const override;
    int cellKind(int row, int column, int& attributes) const override;
    int cellState(int row, int column) const override;
    void setCellText(int row, int column, const QString& text) override;
    void setCellState(int row, int column, int state) override;
    void activateCell(int row, int column) override;
    void contextHelp(int column) override;

    void processDataEvent(VGXDataEvent* event) override;

    // Font and pixel width the file cell's text must fit; set by the table that shows it.
    void setFileCellGeometry(const QFont& font, int width);
    // The text shortened at its start, behind "...", until it is narrower than width - 2 pixels.
    static QString elideStart(const QString& text, const QFont& font, int width);

    // The folder the file dialog opened in last (the documents' waveform folder at first).
    const QString& lastFolder() const { return m_lastFolder; }
    // The entry parameters' host descriptors, one per column.
    const VGXDescriptorEntry* columnDescriptor(int column) const;

private:
    struct SRow {
        std::array<VGXDatabaseConnectorEntry*, ColCount> cnct{}; // by column; ColLevel holds RMS
    };
    VGXDatabaseConnectorEntry* connector(int row, int column) const;
    double number(int row, int column) const;
    const char* parameterOf(int column) const;

    QString m_name;
    SKobraArbNames m_names;
    QWidget* m_dialogParent;
    std::array<SRow, RowCount> m_rows;
    std::array<std::unique_ptr<VGXDescriptorEntry>, ColCount> m_columns;
    QString m_lastFolder;
    int m_instance = 0;
    int m_direction = 0;
    QFont m_fileFont;
    int m_fileWidth = 0;
};

} // namespace MvQARN
