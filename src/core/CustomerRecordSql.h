#pragma once
// The statements of the customer record commands INSERE_CLIENTE and INSERE_EMITENTE_CLI, each as the
// lines added to the query. Values are the command's SQL literals, pasted as written; today is the
// date literal of SqlDateLiteral.

#include "platform/ansi/AnsiString.h"
#include "platform/sys/StringList.h"

#include <vector>

std::vector<AnsiString> CustomerExistsSql(const AnsiString &document);

// The inserts take their values from the trimmed command line itself, the updates from its parameters
// (reading one that is not there raises EStringListError).
std::vector<AnsiString> InsertCustomerSql(const AnsiString &line, const AnsiString &today);
std::vector<AnsiString> UpdateCustomerSql(const TStringList &params, const AnsiString &today);
std::vector<AnsiString> InsertIssuerSql(const AnsiString &line, const AnsiString &today);
std::vector<AnsiString> UpdateIssuerSql(const TStringList &params, const AnsiString &today);
