#include "cli/CommandLine.h"

#include <sstream>
#include <string>

#include <boost/program_options.hpp>

namespace veldrun {

namespace po = boost::program_options;

namespace {

po::options_description Visible(CommandLine& line) {
    po::options_description options("Options");
    // clang-format off
    options.add_options()
        ("output,o", po::value(&line.output)->value_name("OUTPUT"),
         "file to write the joined inputs to (created or replaced); - for standard output; "
         "with --each-recording, the folder for the files")
        ("each-recording", po::bool_switch(&line.eachRecording),
         "join each recording of the inputs into its own file in the folder OUTPUT, named "
         "and dated by when it was recorded; prints each file's path once it is complete")
        ("keep-date", po::bool_switch(&line.keepDate),
         "give OUTPUT the time its recording began as its modification time")
        ("verify", po::bool_switch(&line.verify),
         "read each output back from the disk and compare it with its inputs (not with "
         "--no-sync)")
        ("check", po::bool_switch(&line.check),
         "join nothing: tell for each INPUT whether it continues the one before")
        ("quiet,q", po::bool_switch(&line.quiet), "show no progress line")
        ("no-sync", po::bool_switch(&line.noSync),
         "do not wait until the output is on the disk before reporting success")
        ("help,h", po::bool_switch(&line.help), "show this help and exit")
        ("version", po::bool_switch(&line.version), "show the version and exit");
    // clang-format on
    return options;
}

} // namespace

CommandLine CommandLine::Parse(int argc, const char* const argv[]) {
    CommandLine line;
    po::options_description all;
    all.add(Visible(line));
    all.add_options()("input", po::value(&line.inputs));
    po::positional_options_description positional;
    positional.add("input", -1);

    po::variables_map values;
    po::store(po::command_line_parser(argc, argv).options(all).positional(positional).run(),
              values);
    // --help and --version need no merge, so they skip the checks for one.
    if (values["help"].as<bool>() || values["version"].as<bool>()) {
        line.help = values["help"].as<bool>();
        line.version = values["version"].as<bool>();
        return line;
    }
    po::notify(values);
    // --check writes nothing, so it takes no -o; a join needs one.
    if (line.check && values.count("output"))
        throw po::error("--check joins nothing: -o cannot go with it");
    if (!line.check && !values.count("output"))
        throw po::required_option("output");
    for (const char* option : {"each-recording", "keep-date", "verify"})
        if (line.check && values[option].as<bool>())
            throw po::error(std::string("--check joins nothing: --") + option +
                            " cannot go with it");
    // Verifying reads back what the disk holds; without the flush it would read the cache.
    if (line.verify && line.noSync)
        throw po::error("--verify reads the output back from the disk: --no-sync cannot go "
                        "with it");
    if (line.eachRecording && line.output == "-")
        throw po::error("--each-recording writes files into a folder: -o - cannot go with it");
    if (line.inputs.empty())
        throw po::error("no INPUT file given");
    return line;
}

std::string CommandLine::Usage() {
    return "Usage: veldrun-cli [-q] [--no-sync | --verify] [--keep-date] -o OUTPUT INPUT...\n"
           "       veldrun-cli [-q] [--no-sync | --verify] --each-recording -o FOLDER INPUT...\n"
           "       veldrun-cli --check INPUT...\n"
           "       veldrun-cli --help | --version\n";
}

std::string CommandLine::Help() {
    CommandLine unused;
    std::ostringstream text;
    text << Usage() << "\nJoins the INPUT files, in the order given, byte for byte into OUTPUT.\n"
         << "Shows a progress line (the clip, the amounts, the rate and the time left) while\n"
         << "standard error is a terminal, and a note for each INPUT that starts a new\n"
         << "recording. --check tells which INPUTs continue each other and joins nothing.\n\n"
         << "With --each-recording, each recording among the INPUTs becomes its own file in\n"
         << "FOLDER (made when it is missing and its parent exists), named after when it was\n"
         << "recorded, \"2024-07-14 10.03.41.MTS\", and given that time as its modification\n"
         << "time: the camera's date when the clip has one, else the file's.\n\n"
         << Visible(unused)
         << "\nExit status: 0 on success; 1 when the join fails, or with --check when an INPUT\n"
         << "cannot be read; 2 for a usage error.\n";
    return text.str();
}

} // namespace veldrun
