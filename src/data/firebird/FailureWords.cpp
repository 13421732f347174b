#include "FailureWords.h"

#include "FirebirdError.h"

namespace kalvero {

namespace {

QString forDatabase(const DatabaseError &e) {
    if (e.isRowChangedElsewhere())
        return e.text();
    if (e.isConnectionLost()) {
        switch (e.save()) {
        case DatabaseError::Save::NotWritten:
            return QStringLiteral(
                "A ligação com o servidor caiu e a gravação não foi feita. O que foi digitado continua na tela: "
                "grave de novo.");
        case DatabaseError::Save::InDoubt:
            return QStringLiteral(
                "A ligação com o servidor caiu durante a gravação e não foi possível conferir se ela foi feita. "
                "O que foi digitado continua na tela: grave de novo quando o servidor voltar; antes de gravar, "
                "o sistema confere o que já foi gravado, e nada é gravado duas vezes.");
        case DatabaseError::Save::Unstated:
            break;
        }
        if (e.isServerUnreachable())
            return QStringLiteral(
                "Não foi possível falar com o servidor do banco de dados. Verifique se a rede está ligada e se o "
                "servidor está funcionando, e tente de novo.");
        return QStringLiteral("A ligação com o servidor caiu. Tente de novo.");
    }
    if (e.isLockWaitOver())
        return QStringLiteral(
            "Outra estação de trabalho está gravando o mesmo registro e não o liberou a tempo. Nada foi gravado "
            "e o que foi digitado continua na tela: tente de novo.");
    if (e.isUpdateConflict())
        return QStringLiteral(
            "O registro foi alterado em outra estação de trabalho ao mesmo tempo; a alteração não foi gravada.");
    if (e.isForeignKeyViolation())
        return QStringLiteral(
            "Este registro é usado por outros registros do sistema; a operação não foi feita.");
    if (e.isDuplicateKey())
        return QStringLiteral("Já existe um registro com este código; nada foi gravado.");
    if (e.hasCode(FbCode::LoginRejected))
        return QStringLiteral("O servidor do banco de dados recusou o acesso do sistema.");
    if (e.hasCode(FbCode::IoError))
        return QStringLiteral("O arquivo do banco de dados não foi encontrado ou não pode ser aberto.");
    if (e.hasCode(FbCode::StringTruncation))
        return QStringLiteral("Um dos campos tem mais letras do que cabe nele; nada foi gravado.");
    if (e.hasCode(FbCode::CheckViolation))
        return QStringLiteral("Um valor digitado não é aceito pelo banco de dados; nada foi gravado.");
    if (e.hasCode(FbCode::NotNullViolation))
        return QStringLiteral("Falta preencher um campo obrigatório; nada foi gravado.");
    return QStringLiteral("O banco de dados recusou a operação.");
}

}  // namespace

FailureWords FailureWords::of(const std::exception &failure) {
    const auto *database = dynamic_cast<const DatabaseError *>(&failure);
    // The program's own failures are already said in the desk's words.
    if (!database || database->codes().isEmpty()) {
        const auto *own = dynamic_cast<const Failure *>(&failure);
        return {own ? own->text() : QString::fromUtf8(failure.what()), own ? own->details() : QString()};
    }
    return {forDatabase(*database), database->text()};
}

}  // namespace kalvero
