#include "app/command_line.h"

#include <QCommandLineParser>

namespace z718 {

namespace {

// Qt's own options, which the application object takes from the same command line. They are
// accepted here so that "z718 -platform wayland" still starts instead of being refused.
struct QtOption {
    const char* name;
    bool takesValue;
};
// clang-format off
constexpr QtOption kQtOptions[] = {
    {"platform", true}, {"platformpluginpath", true}, {"platformtheme", true}, {"plugin", true},
    {"display", true}, {"qwindowgeometry", true}, {"qwindowicon", true},
    {"qwindowtitle", true}, {"style", true}, {"stylesheet", true}, {"session", true},
    {"reverse", false}, {"widgetcount", false}, {"nograb", false}, {"dograb", false},
    {"sync", false},
};
// clang-format on

void addQtOptions(QCommandLineParser& parser) {
    for (const QtOption& qt : kQtOptions) {
        QCommandLineOption option(QString::fromLatin1(qt.name));
        if (qt.takesValue) {
            option.setValueName(QStringLiteral("value"));
        }
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
}

CommandLine printAndExit(const QString& text, int exitCode, bool toStandardError) {
    CommandLine result;
    result.run = false;
    result.exitCode = exitCode;
    result.text = text;
    result.toStandardError = toStandardError;
    return result;
}

}  // namespace

CommandLine readCommandLine(const QStringList& arguments, const QString& version) {
    QCommandLineParser parser;
    // Qt's options are written with one dash ("-platform"), so one dash starts a long name.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(
        QStringLiteral("Companion program of the KESTRAN SOLUX MOUSE Z718."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption showVersion = parser.addVersionOption();
    const QCommandLineOption hidden(
        QStringLiteral("hidden"),
        QStringLiteral("Start in the system tray without showing the window (for autostart)."));
    const QCommandLineOption virtualMouse(
        QStringLiteral("virtual-mouse"),
        QStringLiteral("Use a simulated mouse instead of the USB device."));
    parser.addOption(hidden);
    parser.addOption(virtualMouse);
    addQtOptions(parser);

    const QString program = QStringLiteral("z718");
    if (!parser.parse(arguments)) {
        return printAndExit(QStringLiteral("%1: %2\nTry '%1 --help' for more information.\n")
                                .arg(program, parser.errorText()),
                            2, true);
    }
    if (!parser.positionalArguments().isEmpty()) {
        return printAndExit(QStringLiteral("%1: unexpected argument '%2'\nTry '%1 --help' for "
                                           "more information.\n")
                                .arg(program, parser.positionalArguments().constFirst()),
                            2, true);
    }
    if (parser.isSet(help)) {
        return printAndExit(parser.helpText(), 0, false);
    }
    if (parser.isSet(showVersion)) {
        return printAndExit(QStringLiteral("%1 %2\n").arg(program, version), 0, false);
    }
    CommandLine result;
    result.options.hidden = parser.isSet(hidden);
    result.options.virtualMouse = parser.isSet(virtualMouse) ||
                                  qEnvironmentVariable("Z718_VIRTUAL_MOUSE") == QStringLiteral("1");
    return result;
}

}  // namespace z718
