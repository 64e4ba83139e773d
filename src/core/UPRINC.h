#pragma once
// The main window: start screen, tray entries, the three timers, the one database connection with its
// two shared queries, and the routines the other windows share through Form1.

#include "core/LocalConfig.h"
#include "core/TextRoutines.h"
#include "core/BatchJournal.h"
#include "core/ExchangeFolders.h"
#include "core/FailureWeight.h"
#include "core/UpdateProgress.h"
#include "platform/db/ADODB.h"
#include "platform/files/FolderWatch.h"
#include "platform/files/TextFile.h"
#include "platform/vcl/ComCtrls.h"
#include "platform/vcl/ExtCtrls.h"
#include "platform/vcl/Forms.h"
#include "platform/vcl/Menus.h"
#include "platform/vcl/StdCtrls.h"
#include "trayicon/TrayIcon.h"

#include <QCryptographicHash>
#include <QLabel>
#include <QPushButton>
#include <exception>
#include <map>
#include <memory>
#include <vector>

class TForm1 : public TForm {
 public:
  explicit TForm1(TComponent *AOwner);

  // Components of the window description.
  TImage *Image1;
  TLabel *Label2;
  QLabel *Label3;
  TPanel *Panel1;
  QLabel *Label1;
  TProgressBar *pb1;
  QPushButton *cons;
  QPushButton *Button1;
  QPushButton *Button2;
  TTrayIcon *TrayIcon1;
  TTimer *Timer1;
  TPopupMenu *PopupMenu1;
  TMenuItem *Sobre1;
  TMenuItem *Consultar1;
  TMenuItem *N1;
  TMenuItem *Sair1;
  TTimer *Timer2;
  TTimer *Timer3;
  TADOConnection *Database1;
  TADOQuery *quecon;
  TADOQuery *Querytimer;

  // The data-update file in progress.
  TextFile UpdateFile;
  bool UpdateFileOpen = false;

  // Event handlers.
  void FormCreate(TObject *Sender);
  void Timer1Timer(TObject *Sender);
  void Button1Click(TObject *Sender);
  void Button2Click(TObject *Sender);
  void Sair1Click(TObject *Sender);
  void Sobre1Click(TObject *Sender);
  void TrayIcon1DblClick(TObject *Sender);
  void Consultar1Click(TObject *Sender);
  void consClick(TObject *Sender);
  void FormClose(TObject *Sender, TCloseAction &Action);
  void Label2DblClick(TObject *Sender);
  void Timer2Timer(TObject *Sender);
  void Timer3Timer(TObject *Sender);
  void ADOConnection1AfterConnect(TObject *Sender);
  void QuerytimerAfterOpen(TObject *Sender);

  // The connection.
  void RegisterDataSource();
  void ConnectDatabase();
  void DisconnectDatabase();
  int InternetState();

  // Set for the whole run of a batch tick: no second tick may start inside it.
  bool TickRunning() const { return tickRunning_; }

  // The shared routines.
  AnsiString ZeroPad(const AnsiString &text, int width) { return ::ZeroPad(text, width); }
  AnsiString SqlDateLiteral(TDateTime date) { return ::SqlDateLiteral(date); }
  AnsiString BlankQuotes(const AnsiString &text) { return ::BlankQuotes(text); }
  AnsiString DigitsOnly(const AnsiString &text) { return ::DigitsOnly(text); }
  void ParseValueList(const AnsiString &text, TStringList &list) { ::ParseValueList(text, list); }
  void ParseValueListUnquoted(const AnsiString &text, TStringList &list) { ::ParseValueListUnquoted(text, list); }
  void ListFiles(const AnsiString &mask, TStringList &list) { ::ListFiles(mask, list); }
  AnsiString WindowsDir() { return ::WindowsDir(); }
  AnsiString LoadLocalConfig() { return ::LoadLocalConfig(); }
  AnsiString UnscrambleText(const AnsiString &stored) { return ::UnscrambleText(stored); }
  // Enter in a grid of the administration; the grid must be a TDBGrid (EInvalidCast otherwise).
  void GridEnterNext(TObject *Grid, TADOTable *Table);
  // The consultation's check digits and amounts.
  bool ValidateDocument(const AnsiString &text);
  AnsiString AmountToWords(const AnsiString &amount);
  AnsiString FormatAmount(const AnsiString &amount);
  AnsiString PadField(const AnsiString &text, int n, const AnsiString &fill);

 private:
  // The batch tick's work on one command file.
  void HandleConsultationFile(const AnsiString &name, std::unique_ptr<TStringList> &params, TextFile &command,
                              TextFile &answer);
  void HandleCustomerRecordFile(const AnsiString &name, std::unique_ptr<TStringList> &params, TextFile &command);
  void EndWorkTick(std::unique_ptr<TStringList> &files);
  // The list's first name opened as the command file; false when there is none, when it is still
  // being written (it holds back the names after it), or when no path can name it.
  bool TakeFirst(TStringList &files, TextFile &command, AnsiString &taken);
  void TakeQuery();
  void NoteUnsettled(const AnsiString &name);
  // The first name of REMESSA's that matches the mask, from its watch, in ListFiles's order (finished
  // files that stay there left out).
  void ListQueue(const AnsiString &mask, TStringList &list);
  void ForgetVanishedFiles();
  void NoteFileDone(const AnsiString &name);
  // A consultation or customer-record file worked through: deleted, else set aside, else left unread.
  void DeleteDone(const AnsiString &name);
  // A file worked through that cannot be deleted: set aside (true), else left in place unread.
  bool SetAsideUndeletable(const AnsiString &name);
  void BringBackHiddenFiles();
  void NoteFileFailed(const AnsiString &name);
  void NoteFailedTick(const AnsiString &name, bool continuing, std::exception_ptr failure);
  // Renames the file to its name plus ".ERR" and tells why; gives that name, empty when it failed.
  AnsiString SetAside(const AnsiString &name, const AnsiString &why);
  // The name of a file of REMESSA, from its path.
  static AnsiString RemessaName(const AnsiString &path);

  // The consultation commands.
  void ConsultaEmpresa(TextFile &answer, const AnsiString &answerName);
  void ConsultaCliente(const AnsiString &line, TStringList &params, TextFile &answer, const AnsiString &answerName);
  void ConsultaDados(const AnsiString &line, TStringList &params, TextFile &answer, const AnsiString &answerName);
  bool SettleMember(TStringList &params);
  // The statement's lines into quecon, closed; SendQuery opens it too.
  void SetStatement(const std::vector<AnsiString> &lines);
  void SendQuery(const std::vector<AnsiString> &lines);
  void CreateAnswer(TextFile &answer, const AnsiString &answerName);
  // c:\Orvalix with its folders REMESSA and RETORNO, where missing.
  void CreateExchangeFolders();
  void CloseAnswer(TextFile &answer, const AnsiString &answerName);

  // The customer record commands.
  void InsereCliente(const AnsiString &line, std::unique_ptr<TStringList> &params);
  void InsereEmitenteCli(const AnsiString &line, std::unique_ptr<TStringList> &params);
  void SaveCustomer(const AnsiString &line, std::unique_ptr<TStringList> &params,
                    std::vector<AnsiString> (*insert)(const AnsiString &, const AnsiString &),
                    std::vector<AnsiString> (*update)(const TStringList &, const AnsiString &));

  // The data-update files.
  void StartUpdateFile(const AnsiString &name, TextFile &command);
  bool ContinueUpdateFile();  // whether it read a statement of a megabyte or more
  void EndUpdateFile();
  // Whether the statement just read, which reaches the end of the file, may be sent as it stands.
  bool LastStatementSettled(bool statement, const std::vector<AnsiString> &lines);
  void SetUpdateFileAside(TUpdateProgress &progress, const AnsiString &why);
  // Notes again which files stand set aside, at every tick.
  void FollowSetAsideFiles();
  // The SHA-256 of UpdateFile from its start to end, fed on from where the last call stood (from the
  // start again for a shorter stretch).
  void ResetDigest();
  AnsiString DigestTo(std::uint64_t end);
  // Closes the data-update file in progress and hides the panel; it resumes when next started.
  void StopUpdateFile();
  bool Stuck(const AnsiString &name);
  // A failed statement of the file in progress: set aside at once, or after the bound of failures.
  void NoteStatementFailed(TFailureWeight weight, const AnsiString &reason);
  // Exactly once: each statement in an XA transaction of its own (StatementOnce.cpp). Both write the
  // statement down as done when it took effect.
  void ExecuteOnce(const std::vector<AnsiString> &lines, TUpdateProgress &progress);
  void MarkStatementDone(TUpdateProgress &progress);
  bool SettleStatement(TUpdateProgress &progress);
  void SettleInDoubt();
  // Sends XA START for the statement; when a session of ours whose link was lost still holds its id,
  // ends that session (the id is free at a later tick) and fails as the server did.
  void StartXa(const TUpdateProgress &progress);
  void EndLostSession(const TUpdateProgress &progress);
  // How far the session's XA transaction of a statement got before a statement failed.
  enum class TXaBranch { Active, Idle, Prepared };
  // Ends what the session holds of the transaction after a failure, so that no other statement of
  // the session meets it: rolled back when not prepared; when that is not to be had, or the branch is
  // prepared, the connection is closed (no sign of it is shown). True when rolled back and kept.
  bool LetGoOfBranch(TXaBranch branch, const TUpdateProgress &progress, std::exception_ptr failure);
  // This connection's session and the server's start, read once a connection.
  void ReadSession();
  // With lockWait, the statement waits at most that many seconds for a lock.
  void SendXa(const AnsiString &verb, const TUpdateProgress &progress, int lockWait = 0);

  bool tickRunning_ = false;
  // For the failure line: whether the tick took quecon for its statements, and the XA statement it
  // sent on a query of its own after that (empty while quecon's is the last).
  bool queconTaken_ = false;
  AnsiString xaStatement_;
  AnsiString TickStatement() const;
  TFailureWeight WeighTickFailure(std::exception_ptr failure) const;
  TFolderWatch remessa_{kRemessa};
  TTickJournal tickJournal_;
  // By the file's name: consecutive failed ticks per command file; files still being written,
  // since when and when last told; finished data-update files that could neither be deleted nor set
  // aside, with the time they had then.
  std::map<AnsiString, int> failedTicks_;
  struct THeld {
    TDateTime Since, Told;
  };
  std::map<AnsiString, THeld> unsettled_;
  std::map<AnsiString, long long> stuck_;
  TUpdateProgressFile updateProgress_{::WindowsDir() + "\\insere_dado.conf"};
  QCryptographicHash updateDigest_{QCryptographicHash::Sha256};
  std::uint64_t updateHashed_ = 0;
  int updateLine_ = 1;  // where the next statement of UpdateFile starts
  long long session_ = 0;  // 0 until read after a connect
  long long serverStart_ = 0;
  std::pair<long long, long long> endedSession_;  // the lost session ended last, with its server's start
  // The statement of UpdateFile read and not yet done, when the server refused it for a cause not its
  // own: the next tick tries it again.
  std::vector<AnsiString> heldStatement_;
};

extern TForm1 *Form1;
