#pragma once

#include "registries/RegistryController.h"
#include "registries/RegistryForm.h"

#include <QObject>
#include <QVariantMap>
#include <functional>

#include <QDialog>
class QLineEdit;
class QWidget;

namespace kalvero {

class RecordSet;

// What an access-database register window gives the shared behaviour.
struct AccessRegistryDefinition {
    RecordSet *records = nullptr;
    QString keyField;              // the typed key: user code, unit code
    QLineEdit *keyBox = nullptr;   // where it is typed
    QString duplicateStatement;    // loaded into the duplicate query at each save
    RecordSet *duplicateQuery = nullptr;  // the access module's qrLocaliza
    int findLength = 0;            // Localizar acts on exactly this many digits

    RegistryMessage fillIn;
    RegistryMessage saveConfirm;
    RegistryMessage alreadyRegistered;
    RegistryMessage deleteConfirm;
    RegistryMessage notRegisteredFind;

    QWidget *firstDataBox = nullptr;

    std::function<bool()> requiredDataPresent;
    // Incluir: the new record's presets, by field name, read before it starts.
    std::function<QVariantMap()> newRecordValues;
    std::function<void()> afterNewWritten;  // a new record has reached the database
};

// The behaviour of the operator and work-unit registers, which keep the
// access database: the two tabs, Incluir, Alterar, Gravar with its duplicate
// check through the access module's free query, Cancelar, Excluir, Localizar and closing. Unlike
// the unit registers, the key is typed, Gravar always ends on the browse tab,
// and a deletion is written without a reload.
class AccessRegistryController : public QObject {
    Q_OBJECT
public:
    // Made once the window's widgets exist.
    AccessRegistryController(QDialog *window, const RegistryForm &form, AccessRegistryDefinition definition);
    ~AccessRegistryController() override;

    bool isEditing() const;

    // The find button looks for the code in the box among the loaded rows.
    void addFind(QLineEdit *box, QAbstractButton *button);

    void open();
    void incluir();
    void alterar();
    void gravar();
    void cancelar();
    void excluir();

    void inform(const RegistryMessage &message) const { message.show(m_window); }

private:
    // The duplicate check of a new record, then the write; false when the
    // write was refused and said, and the entry stays.
    bool writeChecked();
    void backToBrowsing();
    void find(QLineEdit *box);

    QDialog *m_window;
    RegistryForm m_form;
    AccessRegistryDefinition m_def;
    RegistryController::Mode m_mode = RegistryController::Mode::None;
};

}  // namespace kalvero
