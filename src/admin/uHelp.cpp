#include "admin/uHelp.h"

#include "admin/ExitButton.h"
#include "platform/vcl/Anchors.h"
#include "platform/vcl/Fonts.h"

Thelp *help = nullptr;

namespace {

TStringList HelpText() {
  const AnsiString noSector = "   Desde que uma empresa seja de setor diferente da outra nenhuma informação sera "_a;
  const AnsiString limited = "- São limitadas pelo SETOR e pelo GRUPO. E somente pelo grupo de a empresa for do "_a;
  const AnsiString lines[] = {
      "Explicação sobre grupos e setores."_a,
      "",
      "1º Caso - Empresas de mesmo grupo e mesmo setor"_a,
      AnsiString(79, '-'),
      "   Todas as informações de cheques próprios devolvidos, cheques de terceiros devolvidos "_a,
      "e títulos em aberto são compartilhadas entre estas empresas."_a,
      "",
      "2º Caso - Empresas de grupos diferentes e mesmo setor"_a,
      AnsiString(84, '-'),
      "   Todas as informações de cheques próprios devolvidos serão compartilhadas entre elas, "_a,
      "porém cheques de terceiros devolvidos e títulos em aberto não são compartilhadas entre "_a,
      "estas empresas.",
      "",
      "3º Caso - Empresas de mesmo grupo e setores diferentes"_a,
      AnsiString(85, '-'),
      noSector,
      "compartilhada entre elas.",
      "",
      "4º Caso - Empresas de grupo diferentes e setores diferentes"_a,
      AnsiString(85, '-'),
      noSector,
      "compartilhada entre elas.",
      "",
      "5º Caso - Empresa que participa de todos os setores (0 zero para o setor)"_a,
      AnsiString(112, '-'),
      "   Esta empresa tem acesso a todos os cheques próprios devolvidos de todas as empresa, "_a,
      "porém cheques de terceiros e títulos em aberto será limitada ao seu GRUPO pertencente."_a,
      "",
      "6º Para ter acesso a todas informações indiferente do grupo ou setor de títulos em aberto e "_a,
      "cheques de terceiros devolvidos, estamos estudando o caso com um advogado tributarista ",
      "para saber da legalidade do mesmo.",
      "",
      "RESUMO",
      AnsiString(15, '-'),
      "Informações de Cheques Próprios devolvidos"_a,
      "- São limitadas somente pelo SETOR. Se o setor da empresa for 0 (zero) a empresa terá "_a,
      "acesso a todas informações de cheques próprios devolvidos do sistema."_a,
      "",
      "Informações de Cheques de Terceiros devolvidos"_a,
      limited,
      "setor 0 (zero)",
      "",
      "Informações de Títulos em aberto"_a,
      limited,
      "setor 0 (zero)",
  };
  TStringList text;
  for (const AnsiString &line : lines) text.Add(line);
  return text;
}

}  // namespace

Thelp::Thelp(TComponent *AOwner) : TForm(AOwner) {
  Name = "help";
  QWidget *form = Widget();
  form->setObjectName("help");
  SetCaption("Janela de Ajuda");
  SetBorderStyle(bsSingle);
  SetBorderIcons({biSystemMenu});
  SetBounds(102, 45, 571, 430);
  form->setFont(DesignFont("MS Sans Serif", 13));

  Label1 = new TLabel(form);
  Label1->setObjectName("Label1");
  Label1->setText("Ajuda Orvalix Express");
  QFont heading = form->font();
  heading.setBold(true);
  heading.setUnderline(true);
  Label1->setFont(heading);
  QPalette palette = Label1->palette();
  palette.setColor(QPalette::WindowText, QColor(0, 0, 128));  // clNavy
  Label1->setPalette(palette);
  Label1->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  Label1->setGeometry(160, 2, 571 - 2 * 160, Label1->sizeHint().height());
  SetAnchors(Label1, {akLeft, akTop, akRight});

  // Made before the memo, so that it comes first in the tab order.
  BitBtn2 = ExitButton(form, {252, 398, 63, 27});
  BitBtn2->OnClick = [this](TObject *Sender) { BitBtn2Click(Sender); };
  SetAnchors(BitBtn2, {akLeft});

  Memo1 = new TMemo(form);
  Memo1->setObjectName("Memo1");
  Memo1->setGeometry(1, 25, 570, 367);
  Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Memo1->SetLines(HelpText());
  SetAnchors(Memo1, {akLeft, akTop, akRight, akBottom});
}

Thelp::~Thelp() {
  if (help == this) help = nullptr;
}

void Thelp::BitBtn2Click(TObject *) { Close(); }
