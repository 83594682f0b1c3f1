// What the commands of qz share: reading data files into datasets,
// reporting what was rejected, writing datasets, and small text helpers.
#ifndef QZ_COMMON_H
#define QZ_COMMON_H

#include <CLI/CLI.hpp>

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "qzCore/facade/Analyses.h"
#include "qzCore/qzCore.h"

namespace qz {

/// One subcommand: its parser and what running it returns (the exit status).
struct Command {
    CLI::App* app = nullptr;
    std::function<int()> run;
};

/// How input files are read (the options every reading command takes).
struct LoadOptions {
    std::string format = "auto";
    std::string columns;
    std::string delimiter = "auto";
    bool dipDirection = false;
    bool strict = false;
};

/// Adds --format, --columns, --delimiter, --dip-direction and --strict.
void addInputOptions(CLI::App* cmd, LoadOptions& opts);

/// Datasets read from files, with their managers and the report of
/// rejected lines.
using Loaded = qzCore::facade::Dataset;

/// Reads one file into `out`.  Tells on standard error how the columns
/// were understood when they were guessed.  False (after a message) when
/// the file cannot be read at all.
bool load(const std::string& name, const LoadOptions& opts, Loaded& out);
/// Reads several files into one dataset.
bool loadAll(const std::vector<std::string>& names, const LoadOptions& opts, Loaded& out);
/// False, after the message "qz: --FIELD TEXT".
bool refused(const qzCore::facade::Refused& r);
/// Lists the rows loaded with a remark and the rejected lines on standard
/// output (and how many in all when more were reported than listed).
void printRejected(const Loaded& l);
/// The lines passed over without a report, in words ("1 header row, 2
/// blank lines"); empty for none.
std::string skippedText(const qzCore::SkippedLines& skipped);
/// True (after a message) when the data hold no record: every plot command
/// then exits with status 2 and writes no picture.
bool nothingToDraw(const Loaded& l);
/// 3 when --strict is on and any line was rejected, else 0.
int strictStatus(const Loaded& l, const LoadOptions& opts);

/// Writes dataset `id` to `name` in the format `to` names ("auto": by the
/// extension).  0 on success, 1 after a message.
int write(Loaded& l, unsigned char id, const std::string& name, const std::string& to);

std::string lower(std::string s);
std::string extensionOf(const std::string& name);
/// Items of a list separated by `sep`, blanks around each removed.
std::vector<std::string> splitList(const std::string& text, char sep);
/// `count` numbers separated by '/' ("120/60", "10/45/30"); false for
/// anything else.
bool slashNumbers(const std::string& text, std::size_t count, std::vector<double>& out);
/// --sigma1 and --sigma3 (TREND/PLUNGE) and --magnitudes (S1/S2/S3) into
/// a tendency request, those given; false after a message.
bool stressOptions(const std::string& sigma1, const std::string& sigma3, const std::string& magnitudes,
                   qzCore::facade::Direction& s1, qzCore::facade::Direction& s3, std::array<double, 3>& m);
/// --slope DIPDIR/DIP into `face`; false after a message.
bool slopeFace(const std::string& text, qzCore::SlopeFace& face);
/// "a, b or c".
std::string joined(const std::vector<std::string>& words);

/// What the commands that read one file and write another share.
struct TransformOptions {
    LoadOptions load;
    std::string input;
    std::string output;
    std::string to = "auto";
};
/// A command reading INPUT and writing OUTPUT, with --to and the input
/// options.
CLI::App* addTransformCommand(CLI::App& app, const char* name, const char* help, TransformOptions& opts);
/// Loads the input, lets `change` make the dataset to write (0 to go on),
/// writes the output.
int transformFile(const TransformOptions& opts, const std::function<int(Loaded&, unsigned char&)>& change);

/// The bundled sample files.
std::vector<std::string> sampleFiles();

/// qz info on each file; the largest exit status.
int info(const std::vector<std::string>& names, const LoadOptions& opts);

// The commands.
Command addInfoCommand(CLI::App& app);
Command addFormatsCommand(CLI::App& app);
Command addConvertCommand(CLI::App& app);
Command addRotateCommand(CLI::App& app);
Command addSubsetCommand(CLI::App& app);
Command addSortCommand(CLI::App& app);
Command addAnalyseCommand(CLI::App& app);
Command addPlotCommand(CLI::App& app);
/// The plots of `qz plot`.
Command addStereonetCommand(CLI::App& plot);
Command addRoseCommand(CLI::App& plot);
Command addTangentCommand(CLI::App& plot);
Command addFabricCommand(CLI::App& plot);
Command addMohrCommand(CLI::App& plot);
Command addMisfitsCommand(CLI::App& plot);
struct PictureOptions;
/// Adds -o/--output, --size and --title.
void addPictureOptions(CLI::App* cmd, PictureOptions& options);

}  // namespace qz

#endif  // QZ_COMMON_H
