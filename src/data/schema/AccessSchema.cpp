#include "AccessSchema.h"

#include "../firebird/Connection.h"

namespace kalvero::AccessSchema {

const TableDefinition &operatorTable() {
    static const TableDefinition t{QStringLiteral("OPERACAO"),
                             {
                                 {"USUARIO", "VARCHAR(4)", true, "Usuário"},
                                 {"SENHA", "VARCHAR(5)", true, "Senha", "", "", 0, true},
                                 {"ACESSO", "INTEGER", true, "Nível de Acesso", "", "", 11},
                                 {"NOME", "VARCHAR(80)", true, "Nome", "", "", 51},
                             },
                             {"USUARIO"}};
    return t;
}

const TableDefinition &unitTable() {
    static const TableDefinition t = [] {
        TableDefinition s{QStringLiteral("ACESSO"),
                    {
                        {"CODIGO", "VARCHAR(2)", true, "Código"},
                        {"PREFEITURA", "VARCHAR(60)", true, "Unidade de Trabalho"},
                        {"CAMINHO", "VARCHAR(40)", true, "Caminho"},
                        {"MUNICIPIO", "VARCHAR(30)", true, "Munícipio"},
                    },
                    {"CODIGO"}};
        return s;
    }();
    return t;
}

const ColumnCatalogue &catalogue() {
    static const ColumnCatalogue catalogue({&operatorTable(), &unitTable()});
    return catalogue;
}

const TableDefinition *table(const QString &name) { return catalogue().table(name); }

void createTables(Connection &connection) {
    connection.execute(operatorTable().createStatement());
    connection.execute(unitTable().createStatement());
}

}  // namespace kalvero::AccessSchema
