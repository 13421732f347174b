#pragma once

#include "ChildListForm.h"
#include "RegistryController.h"

#include <QObject>
#include <functional>

class QDialog;

namespace kalvero {

// What a window with a child list gives it.
struct ChildListDefinition {
    RecordSet *children = nullptr;
    QString nameField;
    QString parentField;                  // the child's column holding the parent's code
    QString listStatement;                // one parameter: the parent's code
    std::function<NumberScope(int parentCode)> numbering;  // where a new child's code is counted
    QString codeField;
    std::function<int()> parentCode;      // the code of the record on the edit tab
    std::function<void(int childCode)> afterSave;

    RegistryMessage noChildren;
    RegistryMessage deleteConfirm;
    RegistryMessage deleteFailure;
};

// The child list of the subject and sector windows: Incluir, Alterar,
// Gravar, Voltar and Excluir of children, each written at once, whatever
// happens to the parent afterwards.
class ChildListController : public QObject {
    Q_OBJECT
public:
    enum class Mode { None = 0, New = 1, Change = 2 };

    ChildListController(QDialog *window, const ChildListForm &form, ChildListDefinition definition);
    ~ChildListController() override;

    Mode ChildEntryMode() const { return m_mode; }

    // Loads the children of a parent; a new parent's list stays disabled.
    void load(int parentCode, bool enabled);
    void close();

    void incluir();
    void alterar();
    void gravar();
    void voltar();
    void excluir();

private:
    void setEntering(bool entering);
    void guarded(const std::function<void()> &handler);

    QDialog *m_window;
    ChildListForm m_form;
    ChildListDefinition m_def;
    Mode m_mode = Mode::None;
    NumberedSave m_newChildSave;
};

}  // namespace kalvero
