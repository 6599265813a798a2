// Start, and what a run shows in the window: the cleared previews, the messages in modal
// boxes, the status panels, the Result page, the two status-bar progress bars and the
// progress panel, each output file in the result list, and the elapsed time.
// Tested by run_window_test.cc.
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <algorithm>

#include "core/messages.h"
#include "core/run_observer.h"
#include "core/tagging_run.h"
#include "ui/frame2.h"
#include "ui/main_window.h"
#include "ui/run_controller.h"

namespace quillon {

void TForm1::CreateRunController() {
  run_ = new RunController(this);
  connect(run_, &RunController::ClearPreviews, this, &TForm1::OnClearPreviews);
  connect(run_, &RunController::MessageRequested, this, &TForm1::OnMessage);
  connect(run_, &RunController::StatusText, this, &TForm1::OnStatusText);
  connect(run_, &RunController::ShowResultPage, this, &TForm1::OnShowResultPage);
  connect(run_, &RunController::ProgressShown, this, &TForm1::OnProgressShown);
  connect(run_, &RunController::ProgressStep, this, &TForm1::OnProgressStep);
  connect(run_, &RunController::ProgressReset, this, &TForm1::OnProgressReset);
  connect(run_, &RunController::ProgressHidden, this, &TForm1::OnProgressHidden);
  connect(run_, &RunController::OutputAdded, this, &TForm1::OnOutputAdded);
  connect(run_, &RunController::Finished, this, &TForm1::OnFinished);
  connect(run_, &RunController::RunEnded, this, &TForm1::OnRunEnded);
}

void TForm1::Button1Click() {
  std::vector<std::string> inputs;
  for (const QString& path : InputFiles()) inputs.push_back(QFile::encodeName(path).toStdString());
  if (!run_->Start(CurrentRunSettings(), std::move(inputs),
                   QFile::encodeName(options_.data_dir).toStdString())) {
    return;
  }
  start_button_->setEnabled(false);
  setCursor(Qt::BusyCursor);
}

void TForm1::OnClearPreviews() {
  result_preview_->clear();
  file_preview_->clear();
  result_list_->clear();
}

void TForm1::OnMessage(MessageSink::Kind kind, const QString& text) {
  ShowMessage(kind, text);
  run_->MessageShown();
}

void TForm1::OnStatusText(int panel, const QString& text) {
  if (panel < 0 || panel >= static_cast<int>(panels_.size())) return;
  panels_[panel]->setText(text);
  panels_[panel]->repaint();
}

void TForm1::OnShowResultPage() { ShowPage(1); }

QProgressBar* TForm1::BarOf(int indicator) const {
  switch (static_cast<Indicator>(indicator)) {
    case Indicator::kLexiconBar:
      return lexicon_bar_;
    case Indicator::kSentenceBar:
      return sentence_bar_;
    case Indicator::kSplitPanel:
      return progress_panel_->bar();
  }
  return nullptr;
}

void TForm1::OnProgressShown(int indicator, int maximum) {
  if (static_cast<Indicator>(indicator) == Indicator::kSplitPanel) {
    progress_panel_->ShowProgress(maximum);
    return;
  }
  QProgressBar* bar = BarOf(indicator);
  if (bar == nullptr) return;
  // A bar whose maximum equals its minimum would show Qt's busy animation instead.
  bar->setRange(0, std::max(1, maximum));
  bar->setValue(0);
  bar->show();
}

void TForm1::OnProgressStep(int indicator) {
  if (QProgressBar* bar = BarOf(indicator)) {
    bar->setValue(std::min(bar->maximum(), bar->value() + 1));
  }
}

void TForm1::OnProgressReset(int indicator) {
  if (QProgressBar* bar = BarOf(indicator)) bar->setValue(0);
}

void TForm1::OnProgressHidden(int indicator) {
  if (static_cast<Indicator>(indicator) == Indicator::kSplitPanel) {
    progress_panel_->hide();
  } else if (QProgressBar* bar = BarOf(indicator)) {
    bar->hide();
  }
}

void TForm1::OnOutputAdded(const QString& path, bool written) {
  AddResult(path, written);
  result_list_->repaint();
}

// The elapsed time again, now with the user's decimal separator.
void TForm1::OnFinished(double seconds) {
  const QString number = QString::fromStdString(FormatSeconds(seconds))
                             .replace(QLatin1Char('.'), QLocale().decimalPoint());
  panels_[1]->setText(QString::fromUtf8(messages::kElapsedPrefix) + number +
                      QString::fromUtf8(messages::kElapsedSuffix));
  ShowPage(1);
  SetHighlight(1);
}

void TForm1::OnRunEnded() {
  // However the run ended, its progress panel does not outlive it.
  progress_panel_->hide();
  start_button_->setEnabled(true);
  unsetCursor();
  if (close_pending_) close();
}

}  // namespace quillon
