// Enter in a data grid of the administration: the next editable column, and at the end of the row the
// action the table's state asks for.

#include "core/UPRINC.h"

#include "platform/vcl/DBGrids.h"

void TForm1::GridEnterNext(TObject *Grid, TADOTable *Table) {
  auto *grid = dynamic_cast<TDBGrid *>(Grid);
  if (!grid) throw EInvalidCast("Invalid class typecast");
  while (grid->SelectedIndex() < grid->Columns()->Count() - 1) {
    grid->SetSelectedIndex(grid->SelectedIndex() + 1);
    if (!grid->Columns()->Items(grid->SelectedIndex())->ReadOnly()) return;
  }
  switch (Table->State()) {
    case dsBrowse:
      try {
        Table->Edit();
      } catch (const std::exception &) {
        // A row that cannot be edited stays as it is, without a word.
      }
      break;
    case dsEdit:
      Table->Post();
      grid->SetSelectedIndex(0);
      break;
    case dsInsert:
      Table->Post();
      Table->Append();
      break;
    default:
      break;
  }
}
