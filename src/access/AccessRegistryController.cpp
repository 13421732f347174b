#include "AccessRegistryController.h"

#include "data/firebird/FirebirdError.h"
#include "data/records/RecordSet.h"
#include "registries/RecordWrite.h"
#include "registries/RegistryCommands.h"
#include "ui/CurrentVersionOffer.h"
#include "ui/DialogKeys.h"
#include "ui/EnterAsTab.h"
#include "ui/ErrorBox.h"

#include <QAbstractButton>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>

namespace kalvero {

using Mode = RegistryController::Mode;

AccessRegistryController::AccessRegistryController(QDialog *window, const RegistryForm &form,
                                                   AccessRegistryDefinition definition)
    : QObject(window), m_window(window), m_form(form), m_def(std::move(definition)) {
    connectRegistryCommands(window, form, this, m_def.records);
    // Enter moves on as Tab does everywhere on these windows; Esc does nothing.
    // Call once the window's widgets exist.
    EnterAsTab::enable(window);
    DialogKeys::install(window);
}

AccessRegistryController::~AccessRegistryController() {
    m_def.records->close();
    m_def.duplicateQuery->close();
}

bool AccessRegistryController::isEditing() const {
    return m_def.records->isEditing();
}

void AccessRegistryController::addFind(QLineEdit *box, QAbstractButton *button) {
    connect(button, &QAbstractButton::clicked, this, [this, box] { ErrorBox::guard(m_window, [&] { find(box); }); });
}

void AccessRegistryController::open() {
    // The rows as the access database holds them now, through the standing statement.
    m_def.records->close();
    m_def.records->open();
    m_form.showBrowseTab();
    m_form.btnIncluir->setFocus(Qt::OtherFocusReason);
}

void AccessRegistryController::incluir() {
    RecordSet *records = m_def.records;
    m_mode = Mode::New;
    m_form.showEditTab();
    const QVariantMap presets = m_def.newRecordValues ? m_def.newRecordValues() : QVariantMap();
    records->append();
    for (auto preset = presets.cbegin(); preset != presets.cend(); ++preset)
        records->field(preset.key()).setValue(preset.value());
    if (m_def.firstDataBox)
        m_def.firstDataBox->setFocus(Qt::OtherFocusReason);
}

void AccessRegistryController::alterar() {
    RecordSet *records = m_def.records;
    if (!records->isActive() || records->isEmpty())
        return;  // nothing to change
    m_mode = Mode::Change;
    m_form.showEditTab();
    records->edit();
    if (m_def.firstDataBox)
        m_def.firstDataBox->setFocus(Qt::OtherFocusReason);
}

void AccessRegistryController::gravar() {
    if (!isEditing())
        return;
    if (m_def.requiredDataPresent && !m_def.requiredDataPresent()) {
        inform(m_def.fillIn);
        if (m_def.firstDataBox)
            m_def.firstDataBox->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (!m_def.saveConfirm.ask(m_window)) {
        backToBrowsing();
        return;
    }
    RecordSet &localiza = *m_def.duplicateQuery;
    localiza.openWith(m_def.duplicateStatement);
    bool written = false;
    try {
        written = writeChecked();
    } catch (...) {
        // The entry stays on the edit tab, as typed, for another try or Cancelar.
        localiza.close();
        throw;
    }
    if (!written) {
        localiza.close();  // refused and said: the entry stays for another try
        return;
    }
    backToBrowsing();
}

bool AccessRegistryController::writeChecked() {
    RecordSet *records = m_def.records;
    if (m_mode == Mode::New) {
        const QString typed = m_def.keyBox->text();
        if (m_def.duplicateQuery->locate(m_def.keyField, typed)) {
            // The record that has the code is shown instead.
            inform(m_def.alreadyRegistered);
            records->cancel();
            records->locate(m_def.keyField, typed);
        } else {
            try {
                postAndApply(*records);
            } catch (const DatabaseError &e) {
                if (!e.isDuplicateKey())
                    throw;
                // Another workstation registered the code since the check:
                // it is registered, and shown as when the check finds it.
                inform(m_def.alreadyRegistered);
                records->cancel();
                records->close();
                records->open();
                records->locate(m_def.keyField, typed);
                return true;
            }
            if (m_def.afterNewWritten)
                m_def.afterNewWritten();
        }
        return true;
    }
    return CurrentVersionOffer::writeOrOffer(m_window, QStringLiteral("Kalvero"), *records,
                                             [records] { postAndApply(*records); });
}

void AccessRegistryController::backToBrowsing() {
    if (isEditing())
        m_def.records->cancel();
    m_def.duplicateQuery->close();
    m_form.showBrowseTab();
    m_form.btnIncluir->setFocus(Qt::OtherFocusReason);
}

void AccessRegistryController::cancelar() {
    RecordSet *records = m_def.records;
    records->cancel();
    // A write that failed may have left the record pending; it is dropped too.
    if (records->isActive())
        records->cancelUpdates();
    backToBrowsing();
}

void AccessRegistryController::excluir() {
    RecordSet *records = m_def.records;
    if (!records->isActive() || records->isEmpty())
        return;  // nothing to delete
    if (!m_def.deleteConfirm.ask(m_window))
        return;
    // A deletion the database refuses is shown by the general error box, and
    // the record comes back into the list.
    records->deleteRecord();
    records->applyUpdates();
}

void AccessRegistryController::find(QLineEdit *box) {
    const QString code = box->text();
    if (code.size() != m_def.findLength)
        return;
    RecordSet *records = m_def.records;
    if (!records->isActive() || !records->locate(m_def.keyField, code))
        inform(m_def.notRegisteredFind);
}

}  // namespace kalvero
