#pragma once

#include <QString>

namespace kalvero {

// The standing statements of the unit tables, in one place for the data
// modules and the screens. Values are never part of a text: each "?" is a
// parameter bound when the statement runs, and a search's parameter is the
// pattern LikePattern::containing makes of what was typed.
//
// A table's statements: `standing` is what the data module's record set holds
// until a screen replaces it; `highest...` lists a scope's keys from the
// highest down, the first row being the one that counts (see firstRowOnly).

// The same statement reading its first row alone: "select first 1 ...". A
// key query needs only that row; the server then sends no rows ahead.
QString firstRowOnly(const QString &statement);

namespace RequesterStatements {  // TBSOLICITANTE
QString standing();
QString orderedByName();
QString orderedByCode();
QString wholeTable();  // what a save's duplicate checks look through
QString highestCode();
QString nameContaining(); // a part of the name; case and accents ignored
QString cpfContaining();
QString cnpjContaining();
}  // namespace RequesterStatements

namespace SubjectStatements {  // TBASSUNTO
QString standing();
QString orderedByDescription();
QString orderedByCode();
QString wholeTable();
QString highestCode();
QString descriptionContaining(); // a part of it; case and accents ignored
}  // namespace SubjectStatements

namespace SubjectDocumentStatements {  // TBASSUNTO_DOCUMENTOS
QString standing();
QString ofSubject();  // the subject's code
QString highestNumber();
QString highestNumberOfSubject();  // the subject's code, as text
}  // namespace SubjectDocumentStatements

namespace SectorStatements {  // TBSETOR
QString standing();
QString orderedByName();
QString orderedByCode();
QString wholeTable();
QString highestCode();
QString nameContaining(); // a part of the name; case and accents ignored
}  // namespace SectorStatements

namespace ResponsibleStatements {  // TBRESPONSAVEISPORSETOR
QString standing();
QString ofSector();  // the sector's code
QString orderedByCode();
QString highestCode();
// Whole rows, highest code first: persons are numbered over all sectors.
QString highestCodeRows();
}  // namespace ResponsibleStatements

namespace EntityStatements {  // TBENTIDADE
QString standing();
}  // namespace EntityStatements

namespace ProtocolStatements {  // TBPROTOCOLO
QString standing();
QString highestNumber();
QString highestNumberOfYear();  // the year
// The list of one status, newest entry first: the status; with a period, also
// its first and last day (dates, both included).
QString ofStatus();
QString ofStatusInPeriod();
// The same lists, highest number of the latest year first.
QString ofStatusByNumber();
QString ofStatusInPeriodByNumber();
}  // namespace ProtocolStatements

namespace DocumentStatements {  // TBDOCUMENTOS
QString standing();
QString ofProtocol();  // the protocol's number and year
QString highestNumber();
QString highestNumberOfProtocol();  // the protocol's number and year
QString pageTotal();
QString pageTotalOfProtocol();  // the protocol's number and year
}  // namespace DocumentStatements

namespace MovementStatements {  // TBMOVIMENTACAO
QString standing();
QString highestNumber();
QString highestNumberOfProtocol();  // the protocol's number and year
QString ofProtocol();  // the protocol's number and year; newest delivery first
}  // namespace MovementStatements

namespace LabelScratchStatements {  // TBREL_AUX
QString standing();
// The operator's rows of one kind: the operator code and TIPOREL.
QString removeOfOperator();
QString ofOperator();  // in PAG_ATUAL order
}  // namespace LabelScratchStatements

// What the receipts and labels print; each takes the protocol's number and
// year.
namespace PrintStatements {
QString receiptWithDocuments();     // one row per document
QString receiptWithoutDocuments();  // one row
QString protocolLabel();
QString documentLabel();    // and the document's number
QString groupedPageTotal();  // the protocol with the sum of its pages, TOTAL
// One row per movement, newest delivery first, with the protocol, its
// requester and subject, the sector (NOME) and the person (NOME_1).
QString movementHistory();
}  // namespace PrintStatements

// "Consulta de Protocolos": a protocol with its requester, subject and where
// it is now (the sector SETOR and person RESPONSAVEL of its latest delivered
// movement, its date DATAMOV; null when it has none), newest number first.
// A select takes one of the conditions after it and reads at most
// `SearchLimit` + 1 rows, so that more than the limit shows.
namespace ConsultationStatements {
constexpr int SearchLimit = 500;
QString selectByProtocol();   // numberAndYear: the protocol first, by its key
QString selectByRequester();  // the others: the requesters first, then their protocols
QString numberAndYear();  // the number and the year
QString cpfIs();          // the CPF, bare digits
QString cnpjIs();         // the CNPJ, bare characters
// Punctuation inside names (D'ÁVILA, J. R. SOUSA), left out of the name
// searched and of the part looked for.
inline constexpr QStringView NamePunctuation = u"'\u2019\u2018`\u00B4.,-/";
QString nameContaining(); // a part of the name, without NamePunctuation; case and accents ignored
QString newestFirst();
// A protocol's path, newest delivery first, with the names of the sector
// (SETOR) and the person (RESPONSAVEL), kept when either is gone.
QString pathOf();  // the number and the year
}  // namespace ConsultationStatements

// The list of protocols of the report screen: the joined select, then the
// conditions the filters add, in this order, then the order. Each condition
// carries its values as parameters. STATUS is text and is compared as a
// number, as the list has always done: "-1" (any status) would not fit the
// column's one character as text.
namespace ProtocolListStatements {
QString select();          // with the join of requester and subject
QString statusOtherThan(); // the status as an integer
QString statusEquals();    // the status as an integer
QString requesterIs();     // the requester's code
QString subjectIs();       // the subject's code
QString enteredBetween();  // the first and last day, dates, both included
QString newestFirst();     // by entry date, newest first; then the newest number
}  // namespace ProtocolListStatements

}  // namespace kalvero
