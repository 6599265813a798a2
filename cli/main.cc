// quillon: the command-line front end. Subcommands: tag, train, eval.
#include <CLI/CLI.hpp>

#include <cstdio>

#include "cli/eval_command.h"
#include "cli/tag_command.h"
#include "cli/train_command.h"
#include "cli/train_lists_command.h"
#include "core/temporary_files.h"
#include "core/version.h"

int main(int argc, char** argv) {
  // A run stopped by Ctrl+C, kill or a closed terminal leaves no temporary output behind.
  quillon::RemoveTemporaryFilesOnSignals();
  CLI::App app{"quillon: an English part-of-speech tagger (Penn Treebank tags)", "quillon"};
  bool version = false;
  app.add_flag("--version", version, "Print the version and exit");
  app.require_subcommand(0, 1);
  quillon::TagCommandOptions tag_options;
  CLI::App* tag = quillon::AddTagCommand(&app, &tag_options);
  quillon::TrainCommandOptions train_options;
  CLI::App* train = quillon::AddTrainCommand(&app, &train_options);
  quillon::TrainListsOptions lists_options;
  quillon::AddTrainListsCommands(train, &lists_options);
  quillon::EvalCommandOptions eval_options;
  CLI::App* eval = quillon::AddEvalCommand(&app, &eval_options);
  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp& e) {
    return app.exit(e);
  } catch (const CLI::CallForAllHelp& e) {
    return app.exit(e);
  } catch (const CLI::ParseError& e) {
    app.exit(e);
    return 2;
  }
  if (version) {
    std::printf("quillon %s\n", quillon::kVersion);
    return 0;
  }
  int status = 2;
  if (tag->parsed()) {
    status = quillon::RunTagCommand(tag_options);
  } else if (train->parsed()) {
    status = lists_options.command.empty() ? quillon::RunTrainCommand(train_options)
                                           : quillon::RunTrainListsCommand(lists_options);
  } else if (eval->parsed()) {
    status = quillon::RunEvalCommand(eval_options);
  } else {
    std::fprintf(stderr, "%s", app.help().c_str());
    return 2;
  }
  // A report that did not reach its reader (a full disk, a closed pipe) is no success.
  if (status == 0 && (std::fflush(stdout) != 0 || std::ferror(stdout))) {
    std::fprintf(stderr, "Cannot write standard output.\n");
    return 1;
  }
  return status;
}
