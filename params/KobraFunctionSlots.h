#pragma once
// Binding database-function objects into the catalogue's definition records.
//
// The records (KobraCatalogue.cpp) are constant-initialised data: they exist, complete, before any
// dynamic initialiser of the library runs. Each row names the function slots it takes (the letters
// C, I, O, U, P, S of the catalogue) but leaves the object pointers null. The code that owns a function
// object binds it by parameter name, normally during static initialisation of its own file:
//
//     static CKobraCheckFunc s_chkClocRate(&CKobraCheckFunc::chkClocRate);
//     static const Kobra::CFunctionBinding s_bindClocRate(&s_chkClocRate, {"IdPDbLynxClocRate"});
//
// The slot is chosen by the object's host base class. A binding reaches every record of the name
// (IdPDbLynxDirection has three). Binding must be complete before the module registers the descriptor
// with the database, which reads the records at registration; static initialisation guarantees that.
// Only slots the catalogue reserves can be bound, and a bound slot is not silently replaced by another
// object, so a misspelt name or a wrong slot shows up as a refused binding (see unboundSlots()).
#include <QByteArray>
#include <QList>
#include <QPair>
#include <initializer_list>

namespace MvQARN {
class CDbChkFunc;
class CDbCnvInFunc;
class CDbCnvOutFunc;
class CDbUpdFunc;
class CDbPresFunc;
class CDbSavRclFunc;
} // namespace MvQARN

namespace Kobra {

// Function slots of a record, one bit per catalogue letter.
enum EFnSlot : unsigned {
    FnChk = 0x01,    // C
    FnCnvIn = 0x02,  // I
    FnCnvOut = 0x04, // O
    FnUpd = 0x08,    // U
    FnPres = 0x10,   // P
    FnSavRcl = 0x20, // S
};

// Binds the object to its slot in every record of the named parameter. Returns the number of records
// bound; 0 when the name is unknown, the parameter does not take that slot, or the slot already holds
// another object. A null object clears the slot.
int bindFunction(const char* name, MvQARN::CDbChkFunc* f);
int bindFunction(const char* name, MvQARN::CDbCnvInFunc* f);
int bindFunction(const char* name, MvQARN::CDbCnvOutFunc* f);
int bindFunction(const char* name, MvQARN::CDbUpdFunc* f);
int bindFunction(const char* name, MvQARN::CDbPresFunc* f);
int bindFunction(const char* name, MvQARN::CDbSavRclFunc* f);

// Slots the catalogue reserves for the parameter (EFnSlot bits); 0 for unknown names.
unsigned reservedSlots(const char* name);
// Slots of the parameter that hold an object in every one of its records.
unsigned boundSlots(const char* name);
// Every reserved slot still empty in some record, as (parameter name, EFnSlot bit).
QList<QPair<QByteArray, unsigned>> unboundSlots();

// Binds one function object to several parameters; meant as a static object beside the function
// object it binds. refused() lists the names that could not be bound.
class CFunctionBinding {
public:
    template <class F> CFunctionBinding(F* f, std::initializer_list<const char*> names) {
        for (const char* n : names) {
            if (bindFunction(n, f) == 0)
                m_refused.append(QByteArray(n));
        }
    }
    const QList<QByteArray>& refused() const { return m_refused; }

private:
    QList<QByteArray> m_refused;
};

} // namespace Kobra
