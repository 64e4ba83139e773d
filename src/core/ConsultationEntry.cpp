// The way into the consultation window, and the consultation's routines that the main window carries.

#include "core/UPRINC.h"

#include "consultation/AmountWords.h"
#include "consultation/DocumentDigits.h"
#include "consultation/UConsulta.h"

#include <memory>

void TForm1::consClick(TObject *) {
  const std::unique_ptr<TConsulta> window(new TConsulta(this));
  Consulta = window.get();
  Consulta->ShowModal();
}

bool TForm1::ValidateDocument(const AnsiString &text) { return ::ValidateDocument(text); }

AnsiString TForm1::AmountToWords(const AnsiString &amount) { return ::AmountToWords(amount); }

AnsiString TForm1::FormatAmount(const AnsiString &amount) { return ::FormatAmount(amount); }

AnsiString TForm1::PadField(const AnsiString &text, int n, const AnsiString &fill) { return ::PadField(text, n, fill); }
