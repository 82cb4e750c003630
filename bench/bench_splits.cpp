// Reading other timers' split files of 100,000 segments, as LiveSplit and
// urn write them. Aim: each under 200 ms, growing linearly with the number
// of segments (a reader that rescans what it has read shows here first).
#include "app/splits_import.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

std::string Lss(int Segments) {
    std::string xml = "<?xml version=\"1.0\"?><Run><GameName>G</GameName><Segments>";
    for (int i = 0; i < Segments; ++i)
        xml += "<Segment><Name>Segment " + std::to_string(i) +
               "</Name><SplitTimes><SplitTime name=\"Personal Best\"><RealTime>00:01:" +
               std::to_string(10 + i % 50) +
               ".1234567</RealTime></SplitTime></SplitTimes><BestSegmentTime><RealTime>"
               "00:00:59</RealTime></BestSegmentTime></Segment>";
    return xml + "</Segments></Run>";
}

std::string Urn(int Segments) {
    std::string json = R"({"title":"G","attempt_count":3,"splits":[)";
    for (int i = 0; i < Segments; ++i)
        json += std::string(i ? "," : "") + R"({"title":"Segment )" + std::to_string(i) +
                R"(","time":"1:)" + std::to_string(10 + i % 50) +
                R"(.123456","best_time":"59.000000","best_segment":"59.000000"})";
    return json + "]}";
}

void BM_ReadLss(benchmark::State& state) {
    const std::string text = Lss(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadLssSplits(text, TSplitTiming::Real));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_ReadLss)
    ->Arg(10'000)
    ->Arg(100'000)
    ->Arg(400'000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();

void BM_ReadUrn(benchmark::State& state) {
    const std::string text = Urn(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadUrnSplits(text, TSplitTiming::Real));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_ReadUrn)
    ->Arg(10'000)
    ->Arg(100'000)
    ->Arg(400'000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();

} // namespace
