#pragma once

#include "data/records/NumberedSave.h"
#include "data/session/SessionState.h"
#include "ui/MessageService.h"

#include <QList>
#include <QObject>
#include <functional>

#include "RegistryForm.h"

class QAbstractButton;
class QDialog;
class QLineEdit;
class QWidget;

namespace kalvero {

class DatabaseError;
class RecordSet;

// A message of a register window: every one has the caption "Kalvero".
struct RegistryMessage {
    QString text;
    MessageService::Icon icon = MessageService::Icon::None;

    void show(QWidget *owner) const;
    bool ask(QWidget *owner) const;  // Yes and No; true on Yes
};

// What a register window gives the shared register behaviour: its record set
// and statements, its messages and the steps of its own.
struct RegistryDefinition {
    RecordSet *records = nullptr;
    QString codeField;
    QString openStatement;        // the default order
    QString incluirStatement;     // ordered by code
    QString wholeTableStatement;  // what Gravar's checks look through
    RecordSet *wholeTableQuery = nullptr;  // where they read it: the connection module's SQLConsulta
    std::function<NumberScope()> numbering;  // where the final code of a new record is counted

    SessionState *session = nullptr;  // takes the handoff
    int SessionState::*handoff = nullptr;
    bool handoffOnChange = false;  // also a changed record hands its code over

    RegistryMessage deleteConfirm;
    RegistryMessage deleteFailure;
    RegistryMessage notRegisteredAlterar;
    RegistryMessage notRegisteredFind;
    RegistryMessage fillIn;
    RegistryMessage saveConfirm;

    QWidget *firstDataBox = nullptr;
    QWidget *focusAfterNo = nullptr;             // where a No at the save question leaves the focus
    QList<QLineEdit *> clearedWhenNotRegistered; // search boxes cleared by Alterar on an empty list

    // The window's own steps; any may be left empty.
    std::function<bool()> requiredDataPresent;
    // In place of requiredDataPresent on a screen of several required boxes:
    // the first whose data will not do, in screen order (none: all there).
    std::function<QWidget *()> boxAtFault;
    std::function<bool()> ownDuplicateCheck;  // before a new or changed record is written
    std::function<void()> afterOpen;
    std::function<void()> afterIncluir;
    std::function<void()> afterAlterar;
    std::function<void()> afterSave;
    std::function<void()> afterCancel;
    std::function<void()> afterDelete;
    // The record being changed was read again, with what was typed put back over it.
    std::function<void()> afterCurrentVersion;
};

// The behaviour that the requester, subject and sector windows share: the
// two tabs with one visible, browsing, Incluir with its provisional code,
// Alterar, Gravar, Cancelar, Excluir, the searches and closing. Each window
// owns one and gives it its definition.
class RegistryController : public QObject {
    Q_OBJECT
public:
    enum class Mode { None = 0, New = 1, Change = 2 };

    RegistryController(QDialog *window, const RegistryForm &form, RegistryDefinition definition);
    ~RegistryController() override;

    Mode RegistryMode() const { return m_mode; }
    bool isEditing() const;
    int provisionalCode() const { return m_provisionalCode; }

    // Every change of the box's text reloads the list with the statement,
    // whose one parameter is the LIKE pattern "contains the text". With
    // allStatement set, an empty box lists by it instead.
    void addTextSearch(QLineEdit *box, const QString &likeStatement, std::function<QString()> textOf = {},
                       const QString &allStatement = {});
    // The find button looks for the typed code among the listed records.
    void addCodeFind(QLineEdit *box, QAbstractButton *button);

    void open();
    void incluir();
    void alterar();
    void gravar();
    void cancelar();
    void excluir();

    // The whole table in the free query, read once per Gravar when a check needs it.
    RecordSet &wholeTable();

    void inform(const RegistryMessage &message) const;
    bool confirm(const RegistryMessage &message) const;

private:
    void reload(const QString &statement, const QVariantList &params = {});
    void findCode(QLineEdit *box);
    // Write the record being entered or changed and hand its code over; a
    // failed write leaves the handoff value as it was.
    void writeNew();
    void writeChange();
    // A change refused because another workstation changed the record
    // meanwhile: says so, then offers to read the record again with what was
    // typed put back over it.
    void handOver(int code);
    void guarded(const std::function<void()> &handler);
    struct Refused {};  // a write refused and said; Gravar stays

    QDialog *m_window;
    RegistryForm m_form;
    RegistryDefinition m_def;
    Mode m_mode = Mode::None;
    int m_provisionalCode = 0;
    NumberedSave m_newRecordSave;
};

}  // namespace kalvero
