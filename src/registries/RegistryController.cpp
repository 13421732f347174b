#include "RegistryController.h"

#include "RecordWrite.h"
#include "RegistryCommands.h"
#include "data/records/LikePattern.h"
#include "data/firebird/FirebirdError.h"
#include "data/records/RecordSet.h"
#include "ui/CurrentVersionOffer.h"
#include "ui/ErrorBox.h"
#include "ui/FaultMark.h"
#include "ui/LockWaitOffer.h"

#include <QAbstractButton>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>

namespace kalvero {

RegistryController::RegistryController(QDialog *window, const RegistryForm &form, RegistryDefinition definition)
    : QObject(window), m_window(window), m_form(form), m_def(std::move(definition)) {
    connectRegistryCommands(window, form, this, m_def.records);
}

void RegistryMessage::show(QWidget *owner) const {
    MessageService::inform(owner, QStringLiteral("Kalvero"), text, icon);
}

bool RegistryMessage::ask(QWidget *owner) const {
    return MessageService::confirm(owner, QStringLiteral("Kalvero"), text, icon);
}

RegistryController::~RegistryController() { m_def.records->close(); }

void RegistryController::guarded(const std::function<void()> &handler) { ErrorBox::guard(m_window, handler); }

bool RegistryController::isEditing() const {
    return m_def.records->isEditing();
}

void RegistryController::inform(const RegistryMessage &message) const { message.show(m_window); }

bool RegistryController::confirm(const RegistryMessage &message) const { return message.ask(m_window); }

void RegistryController::reload(const QString &statement, const QVariantList &params) {
    RecordSet *records = m_def.records;
    records->close();
    records->setCommandText(statement, params);
    records->open();
}

void RegistryController::addTextSearch(QLineEdit *box, const QString &likeStatement, std::function<QString()> textOf,
                                       const QString &allStatement) {
    if (!textOf)
        textOf = [box] { return box->text(); };
    connect(box, &QLineEdit::textChanged, this, [this, likeStatement, textOf, allStatement] {
        // Searches act on the list while browsing; a record being entered is never dropped by one.
        if (isEditing())
            return;
        guarded([&] {
            const QString text = textOf();
            if (text.isEmpty() && !allStatement.isEmpty())
                reload(allStatement);
            else
                reload(likeStatement, {LikePattern::containing(text)});
        });
    });
}

void RegistryController::addCodeFind(QLineEdit *box, QAbstractButton *button) {
    connect(button, &QAbstractButton::clicked, this, [this, box] { guarded([this, box] { findCode(box); }); });
}

void RegistryController::findCode(QLineEdit *box) {
    if (box->text().isEmpty())
        return;
    bool number = false;
    const qint64 code = box->text().toLongLong(&number);
    RecordSet *records = m_def.records;
    if (!number || !records->isActive() || !records->locate(m_def.codeField, code))
        inform(m_def.notRegisteredFind);
}

void RegistryController::open() {
    reload(m_def.openStatement);
    m_form.showBrowseTab();
    m_form.btnIncluir->setFocus(Qt::OtherFocusReason);
    if (m_def.afterOpen)
        m_def.afterOpen();
}

void RegistryController::incluir() {
    RecordSet *records = m_def.records;
    reload(m_def.incluirStatement);
    records->last();
    m_provisionalCode = records->isEmpty() ? 1 : int(records->field(m_def.codeField).asInteger()) + 1;
    m_mode = Mode::New;
    m_form.showEditTab();
    records->append();
    records->field(m_def.codeField).setAsInteger(m_provisionalCode);
    if (m_def.firstDataBox)
        m_def.firstDataBox->setFocus(Qt::OtherFocusReason);
    if (m_def.afterIncluir)
        m_def.afterIncluir();
}

void RegistryController::alterar() {
    RecordSet *records = m_def.records;
    if (!records->isActive() || records->isEmpty()) {
        inform(m_def.notRegisteredAlterar);
        for (QLineEdit *box : m_def.clearedWhenNotRegistered)
            box->clear();
        return;
    }
    m_mode = Mode::Change;
    m_form.showEditTab();
    records->edit();
    if (m_def.firstDataBox)
        m_def.firstDataBox->setFocus(Qt::OtherFocusReason);
    if (m_def.afterAlterar)
        m_def.afterAlterar();
}

void RegistryController::gravar() {
    if (!isEditing())
        return;
    // The refusal says where: the box at fault gets the focus and stays
    // marked until it changes.
    QWidget *atFault = m_def.boxAtFault ? m_def.boxAtFault() : nullptr;
    if (atFault || (!m_def.boxAtFault && m_def.requiredDataPresent && !m_def.requiredDataPresent())) {
        if (!atFault)
            atFault = m_def.firstDataBox;
        FaultMark::refuse(atFault, [&] { inform(m_def.fillIn); });
        return;
    }
    if (!confirm(m_def.saveConfirm)) {
        if (m_def.focusAfterNo)
            m_def.focusAfterNo->setFocus(Qt::OtherFocusReason);
        return;
    }
    // Each Gravar looks at the table as it is now; it is read when a check needs it.
    m_def.wholeTableQuery->close();
    if (m_def.ownDuplicateCheck && !m_def.ownDuplicateCheck())
        return;
    try {
        if (m_mode == Mode::New)
            writeNew();
        else
            writeChange();
    } catch (const Refused &) {
        return;  // said already; the entry stays on the edit tab
    }
    m_def.wholeTableQuery->close();
    m_form.showBrowseTab();
    if (m_def.afterSave)
        m_def.afterSave();
}

RecordSet &RegistryController::wholeTable() {
    RecordSet &consulta = *m_def.wholeTableQuery;
    if (!consulta.isActive()) {
        consulta.setCommandText(m_def.wholeTableStatement);
        consulta.open();
    }
    return consulta;
}

void RegistryController::writeNew() {
    int code = 0;
    if (!LockWaitOffer::writeOrRetry(m_window, QStringLiteral("Kalvero"), [&] {
            code = m_newRecordSave.save({m_def.records, m_def.numbering(), {}, {}, QStringLiteral("Gravando o cadastro")})
                       .number.toInt();
        }))
        throw Refused();
    handOver(code);
}

void RegistryController::writeChange() {
    RecordSet *records = m_def.records;
    const int code = int(records->field(m_def.codeField).asInteger());
    if (!CurrentVersionOffer::writeOrOffer(m_window, QStringLiteral("Kalvero"), *records,
                                           [records] { postAndApply(*records); }, m_def.afterCurrentVersion))
        throw Refused();
    if (m_def.handoffOnChange)
        handOver(code);
}

void RegistryController::handOver(int code) {
    if (m_def.handoff)
        m_def.session->*m_def.handoff = code;
}

void RegistryController::cancelar() {
    RecordSet *records = m_def.records;
    records->cancel();
    // A write that failed may have left the record pending; it is dropped too.
    if (records->isActive())
        records->cancelUpdates();
    m_form.showBrowseTab();
    if (m_def.afterCancel)
        m_def.afterCancel();
}

void RegistryController::excluir() {
    if (confirm(m_def.deleteConfirm) && !deleteAndApply(*m_def.records))
        inform(m_def.deleteFailure);
    if (m_def.afterDelete)
        m_def.afterDelete();
}

}  // namespace kalvero
