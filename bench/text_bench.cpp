#include <string>

#include <benchmark/benchmark.h>

#include "text/gbk.h"
#include "text/text_markers.h"

namespace corpgather {
namespace {

// About 1 MB of GBK listing markup: some 100,000 tags, every other cell padded with "&nbsp;",
// and the contact block that the markers look for at the very end.
const std::string& page() {
    static const std::string text = [] {
        const std::string cell = "<b>" + Utf8ToGbk("名称") + "&nbsp; 12</b>";
        const std::string plain = "<i>" + Utf8ToGbk("电话") + "0571</i>";
        std::string out;
        while (out.size() < (1u << 20))
            out += cell + plain;
        out += "<div id=\"contact\">" + Utf8ToGbk("联系方式：张先生") + "</div>";
        return out;
    }();
    return text;
}

void run(benchmark::State& state, std::string (*routine)(std::string_view)) {
    const std::string& text = page();
    for (auto _ : state)
        benchmark::DoNotOptimize(routine(text));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}

void BM_BetweenText(benchmark::State& state) {
    run(state,
        [](std::string_view text) { return BetweenText(text, "<div id=\"contact\">", "</div>"); });
}

void BM_BetweenTextGbkMarker(benchmark::State& state) {
    static const std::string start = Utf8ToGbk("联系方式：");
    run(state, [](std::string_view text) { return BetweenText(text, start, "</div>"); });
}

void BM_StripTags(benchmark::State& state) {
    run(state, StripTags);
}

void BM_NbspToSpace(benchmark::State& state) {
    run(state, NbspToSpace);
}

void BM_GbkToUtf8(benchmark::State& state) {
    run(state, GbkToUtf8);
}

BENCHMARK(BM_BetweenText);
BENCHMARK(BM_BetweenTextGbkMarker);
BENCHMARK(BM_StripTags);
BENCHMARK(BM_NbspToSpace);
BENCHMARK(BM_GbkToUtf8);

}  // namespace
}  // namespace corpgather
