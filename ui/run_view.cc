// Start, and what a run shows in the window: the cleared previews, the messages in modal
// boxes, the status panels, the Result page, the two status-bar progress bars and the
// progress panel, each output file in the result list, and the elapsed time. Stop (the
// button, Esc, or closing the window) ends the run after its current sentence; the status
// bar then says how many files were written. Tested by run_window_test.cc and stop_test.cc.
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <algorithm>

#include "core/messages.h"
#include "core/run_observer.h"
#include "core/tagging_run.h"
#include "ui/coloured_text_view.h"
#include "ui/frame2.h"
#include "ui/main_window.h"
#include "ui/run_controller.h"
#include "ui/statistics_page.h"

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
  for (QObject* open :
       std::initializer_list<QObject*>{menuBar(), stop_button_, stop_action_, exit_action_}) {
    run_->AllowDuringRun(open);
  }
}

void TForm1::Button1Click() {
  std::vector<std::string> inputs;
  for (const QString& path : InputFiles()) inputs.push_back(QFile::encodeName(path).toStdString());
  const int count = static_cast<int>(inputs.size());
  if (!run_->Start(CurrentRunSettings(), std::move(inputs),
                   QFile::encodeName(options_.data_dir).toStdString())) {
    return;
  }
  run_inputs_ = count;
  run_written_ = 0;
  SetRunning(true);
}

void TForm1::StopClick() {
  if (!RunActive()) return;
  run_->RequestStop();
  stop_action_->setEnabled(false);
  stop_button_->setEnabled(false);
  stop_button_->setText(tr("Stopping..."));
}

void TForm1::SetRunning(bool running) {
  start_button_->setEnabled(!running);
  stop_action_->setEnabled(running);
  stop_button_->setEnabled(running);
  stop_button_->setText(tr("Stop"));
  stop_button_->setVisible(running);
  // Only File › Exit stays offered; the other menus would act on a window being changed.
  for (QMenu* menu : menus_.mid(1)) menu->menuAction()->setEnabled(!running);
  if (running) {
    setCursor(Qt::BusyCursor);
  } else {
    unsetCursor();
  }
}

void TForm1::OnClearPreviews() {
  DropPendingPreview(file_preview_);
  DropPendingPreview(result_preview_);
  result_preview_->clear();
  file_preview_->clear();
  result_list_->clear();
  statistics_page_->SetFile(QString());
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
  run_written_ += written;
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

void TForm1::OnRunEnded(bool stopped) {
  // However the run ended, its progress panel does not outlive it.
  progress_panel_->hide();
  SetRunning(false);
  if (stopped) {
    panels_[1]->setText(
        run_inputs_ == 1
            ? tr("Stopped: %1 of 1 file written").arg(run_written_)
            : tr("Stopped: %1 of %2 files written").arg(run_written_).arg(run_inputs_));
  }
  if (close_pending_) close();
}

}  // namespace quillon
