#pragma once

#include "RegistryForm.h"
#include "data/records/RecordSet.h"
#include "ui/ErrorBox.h"

#include <QDialog>
#include <QPushButton>

namespace kalvero {

// The standard commands of a register window, wired to a controller that has
// incluir, alterar, excluir, gravar and cancelar. A failure in any of them
// goes to the default error box. However the window closes, its record set
// closes with it, which discards a record not saved.
template <typename Controller>
void connectRegistryCommands(QDialog *window, const RegistryForm &form, Controller *controller, RecordSet *records) {
    auto command = [window, controller](void (Controller::*handler)()) {
        return [window, controller, handler] { ErrorBox::guard(window, [&] { (controller->*handler)(); }); };
    };
    QObject::connect(form.btnIncluir, &QPushButton::clicked, controller, command(&Controller::incluir));
    QObject::connect(form.btnAlterar, &QPushButton::clicked, controller, command(&Controller::alterar));
    QObject::connect(form.btnExcluir, &QPushButton::clicked, controller, command(&Controller::excluir));
    QObject::connect(form.btnGravar, &QPushButton::clicked, controller, command(&Controller::gravar));
    QObject::connect(form.btnCancelar, &QPushButton::clicked, controller, command(&Controller::cancelar));
    QObject::connect(form.btnSair, &QPushButton::clicked, window, &QDialog::close);
    QObject::connect(window, &QDialog::finished, controller, [records] { records->close(); });
}

}  // namespace kalvero
