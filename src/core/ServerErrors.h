#pragma once
// The server's error numbers that the batch tells apart.

constexpr int kNoSuchTable = 1146;
// The XA id of a data-update statement: none prepared that the session may end (XAER_NOTA), or one
// exists already (XAER_DUPID).
constexpr int kXaUnknownId = 1397;
constexpr int kXaDuplicateId = 1440;

// XA_RBROLLBACK and the other XA_RB codes: the server rolled the transaction back; it had no effect.
constexpr bool XaRolledBack(int code) { return code == 1402 || (code >= 1612 && code <= 1614); }
