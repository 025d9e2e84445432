#include <string>

#include "cli/checked_commands.h"
#include "cli/cli_texts.h"
#include "cli/commands.h"
#include "cli/console.h"
#include "cli/terminal.h"
#include "split/series_check.h"

using cli_text::Fill;

namespace {

std::string Number(uint64_t value) {
    return std::to_string(value);
}

std::string Describe(const SeriesFault& f, const SeriesReport& series) {
    using namespace cli_text;
    switch (f.kind) {
        case SeriesFault::kMissingIndexes:
            if (f.index == f.value) return Fill(kMissingIndex, {Number(f.index)});
            return Fill(kMissingIndexes, {Number(f.index), Number(f.value)});
        case SeriesFault::kDuplicateIndex:
            return Fill(kDuplicateIndex, {f.path, Number(f.index)});
        case SeriesFault::kIndexOutside:
            return Fill(kIndexOutside, {f.path, Number(f.index), Number(series.count)});
        case SeriesFault::kCountDiffers:
            return Fill(kCountDiffers, {f.path, Number(f.value), Number(f.expected)});
        case SeriesFault::kChunkSizeDiffers:
            return Fill(kChunkSizeDiffers, {f.path, Number(f.value), Number(f.expected)});
        case SeriesFault::kDataSizeDiffers: {
            const bool last = series.count > 0 && f.index == series.count - 1;
            return Fill(last ? kLastDataSizeDiffers : kDataSizeDiffers,
                        {f.path, Number(f.value), Number(f.expected)});
        }
        case SeriesFault::kShorter:
            return Fill(kPieceShorter, {f.path, Number(f.value), Number(f.expected)});
        case SeriesFault::kLonger:
            return Fill(kPieceLonger, {f.path, Number(f.value), Number(f.expected)});
    }
    return std::string();
}

}  // namespace

int RunVerifyCommand(const std::vector<std::string>& args, Terminal& terminal) {
    if (args.size() != 1 || args[0].empty() || args[0].compare(0, 2, "--") == 0) {
        return kExitUsage;
    }
    SeriesReport report;
    const Outcome outcome = CheckSeries(CommandLinePath(args[0]), terminal, report);
    if (!outcome.ok()) {
        terminal.ReportEnd(outcome.reason);
        return kExitFailed;
    }
    for (const SeriesFault& fault : report.faults) terminal.ShowUtf8(Describe(fault, report));
    if (report.faults.empty()) {
        terminal.PrintUtf8(
            Fill(cli_text::kSeries, {report.sourceName, Number(report.count),
                                     Number(report.chunkSize), Number(report.totalBytes)}));
    }
    const bool contentsHold = VerifyContents(CommandLinePath(args[0]), report.sourceName, terminal);
    return report.faults.empty() && contentsHold ? kExitDone : kExitFailed;
}
