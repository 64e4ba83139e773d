#pragma once
// A believable consultation for the result window: the shipped template, a customer with a full
// record and a few sums of the last 15 days.

#include "platform/ansi/AnsiString.h"
#include "platform/sys/StringList.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace sample {

inline const AnsiString kDigits = "39053344705";

inline TStringList List(std::initializer_list<AnsiString> items) {
  TStringList list;
  for (const AnsiString &item : items) list.Add(item);
  return list;
}

// Items 1 to 13 of the credit summary line.
inline TStringList Summary() {
  return List({"'" + kDigits + "'", "1", "2", "160.50", "1350.00", "2480.75", "1", "160.50", "320.00", "0.00",
               "0", "0.00", "GRUPO CENTRO - VAREJO"});
}

inline TStringList Record() {
  return List({kDigits, "MARIA APARECIDA DOS SANTOS", "RUA XV DE NOVEMBRO, 1234 - APTO 52", "CENTRO", "80020-310",
               "CURITIBA", "PR", "(41) 3222-1133", "", "maria.santos@email.com.br", "(41) 99876-5432",
               "4.567.890-1"});
}

// The bytes of data/layout.rtf.
inline std::string ShippedTemplate() {
  const auto path = std::filesystem::path(__FILE__).parent_path().parent_path().parent_path() / "data" / "layout.rtf";
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

}  // namespace sample
