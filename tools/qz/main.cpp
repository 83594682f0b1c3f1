// qz: orientation data from the shell.
//
//   qz                      summary of the bundled sample data
//   qz info FILE...         load each file and print its summary and the
//                           report of rejected lines ("-" reads standard input)
//   qz convert IN OUT       write IN in the format OUT's extension names
//   qz rotate IN OUT        rotate every record about an axis
//   qz subset IN OUT        keep the records that meet criteria
//   qz sort IN OUT          order the records by a column
//   qz analyse METHOD FILE  Fisher statistics, eigen analysis, best fit,
//                           T/L or P/T axes, least squares, intersection, angle
//   qz plot stereonet FILE -o OUT
//                           a stereonet picture (PNG, SVG or PDF)
//   qz formats              the file formats read and written
//
// Exit status: 0 done; 1 a file could not be read or written, or an
// option was wrong; 2 an analysis (or a plot's overlay) failed; 3 with
// --strict, lines were rejected.
#include <iostream>

#include "Common.h"

int main(int argc, char** argv) {
    CLI::App app{"qz: orientation data for structural geology"};
    app.require_subcommand(0, 1);
    app.set_version_flag("--version", std::string("qz ") + qzCore::libraryVersion());
    const qz::Command commands[] = {qz::addInfoCommand(app),    qz::addConvertCommand(app), qz::addRotateCommand(app),
                                    qz::addSubsetCommand(app),  qz::addSortCommand(app),    qz::addAnalyseCommand(app),
                                    qz::addPlotCommand(app),    qz::addFormatsCommand(app)};
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        // Help and version end well; a wrong option is exit status 1, as
        // every other failure of input.
        return app.exit(e) == 0 ? 0 : 1;
    }
    for (const qz::Command& c : commands) {
        if (c.app->parsed()) return c.run();
    }
    std::cout << "qz: no command given; showing the bundled sample data (see qz --help)\n\n";
    return qz::info(qz::sampleFiles(), qz::LoadOptions());
}
