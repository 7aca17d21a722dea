// The hands' drawing against the cheapest thing a face could cost: one plain copy of
// the 160 x 160 work surface at the same depth.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "display/face_geometry.h"
#include "shell/trig.h"
#include "display/raster.h"

namespace {

struct Face {
    int bytes;
    std::vector<uint8_t> memory;
    uint8_t table[256];

    explicit Face(int32_t depth)
        : bytes(BytesPerPixel(depth)), memory(static_cast<size_t>(FaceSize * FaceSize * bytes), 0x40)
    {
        for (int i = 0; i < 256; ++i) table[i] = static_cast<uint8_t>(255 - i);
    }
    PixelBuffer Buffer(int32_t depth) { return {memory.data(), FaceSize * bytes, depth, table}; }
};

int32_t Depth(const benchmark::State& state) { return static_cast<int32_t>(state.range(0)); }

void PlainCopy(benchmark::State& state)
{
    Face source(Depth(state)), target(Depth(state));
    const size_t row = static_cast<size_t>(FaceSize * source.bytes);
    for (auto _ : state) {
        for (int y = 0; y < FaceSize; ++y)
            std::memcpy(target.memory.data() + y * row, source.memory.data() + y * row, row);
        benchmark::DoNotOptimize(target.memory.data());
        benchmark::ClobberMemory();
    }
}

// The longest line a face draws: the second hand, tip to tail, at an awkward angle.
void SecondHandLine(benchmark::State& state)
{
    Face face(Depth(state));
    const PixelBuffer buffer = face.Buffer(Depth(state));
    for (auto _ : state) {
        DrawLine(buffer, 118, 52, 64, 92, 0xFFFFFFFF);
        benchmark::ClobberMemory();
    }
}

void MinuteHandFill(benchmark::State& state)
{
    BuildTrigTables();
    Face face(Depth(state));
    const PixelBuffer buffer = face.Buffer(Depth(state));
    const KiteCorners kite = MinuteHandCorners(51);
    for (auto _ : state) {
        FillPolygon(buffer, kite.p, 4, 0xFFFFFFFF, 150);
        benchmark::ClobberMemory();
    }
}

void ThreeHands(benchmark::State& state)
{
    BuildTrigTables();
    Face face(Depth(state));
    const PixelBuffer buffer = face.Buffer(Depth(state));
    for (auto _ : state) {
        DrawHands(buffer, 10, 8, 30);
        benchmark::ClobberMemory();
    }
}

void AtEveryDepth(benchmark::internal::Benchmark* b)
{
    for (int depth : {8, 15, 16, 24, 32}) b->Arg(depth);
}

BENCHMARK(PlainCopy)->Apply(AtEveryDepth);
BENCHMARK(SecondHandLine)->Apply(AtEveryDepth);
BENCHMARK(MinuteHandFill)->Apply(AtEveryDepth);
BENCHMARK(ThreeHands)->Apply(AtEveryDepth);

}  // namespace
