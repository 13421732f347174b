#include "Tdm2.h"

#include "data/ProgramPaths.h"
#include "data/modules/AccessStatements.h"
#include "data/schema/AccessSchema.h"

namespace kalvero {

Tdm2 *dm2 = nullptr;

Tdm2::Tdm2(QObject *parent)
    : QObject(parent),
      tbOperacao(QStringLiteral("tbOperacao")),
      tbAcesso(QStringLiteral("tbAcesso")),
      dsOperacao(QStringLiteral("dsOperacao"), &tbOperacao),
      dsAcesso(QStringLiteral("dsAcesso"), &tbAcesso),
      qrLocaliza(QStringLiteral("qrLocaliza")) {
    setObjectName(QStringLiteral("dm2"));
    MDatabaseSenha.setCatalogue(&AccessSchema::catalogue());
    tbOperacao.setConnection(&MDatabaseSenha);
    tbOperacao.declareTable(AccessSchema::operatorTable());
    tbOperacao.setCommandText(OperatorStatements::standing());
    tbAcesso.setConnection(&MDatabaseSenha);
    tbAcesso.declareTable(AccessSchema::unitTable());
    tbAcesso.setCommandText(WorkUnitStatements::standing());
    qrLocaliza.setConnection(&MDatabaseSenha);
    qrLocaliza.setCommandText(OperatorStatements::freeQuery());
    if (!dm2)
        dm2 = this;
}

Tdm2::~Tdm2() {
    tbOperacao.close();
    tbAcesso.close();
    qrLocaliza.close();
    if (dm2 == this)
        dm2 = nullptr;
}

QString Tdm2::databaseNameFor(const QString &serverAddress, const QString &programFolder) {
    return DatabaseTarget::databaseName(serverAddress, ProgramPaths::accessDatabase(programFolder));
}

}  // namespace kalvero
