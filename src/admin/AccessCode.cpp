#include "admin/AccessCode.h"

#include <QByteArray>
#include <QMessageAuthenticationCode>
#include <string_view>

AnsiString AccessCode(TDateTime when) {
  static const char kSymbols[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  const QByteArray hour = QByteArray::fromStdString(FormatDateTime("yyyy-mm-dd hh", when));
  const QByteArray mac =
      QMessageAuthenticationCode::hash(hour, QByteArrayLiteral(ORVALIX_ACCESS_KEY), QCryptographicHash::Sha256);
  AnsiString code;
  for (int i = 0; i < 6; ++i) code += kSymbols[static_cast<unsigned char>(mac[i]) % 36];
  return code;
}

bool UsesDemoAccessKey() { return std::string_view(ORVALIX_ACCESS_KEY) == ORVALIX_DEMO_ACCESS_KEY; }
