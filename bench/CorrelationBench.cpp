// The correlation engine's per-pair work and its inverse FFT, each beside the same work done
// with FFTW's inverse real transform. Compare the pairs of results as ratios.
#include <benchmark/benchmark.h>

#include <array>
#include <memory>
#include <random>
#include <vector>

#include <fftw3.h>

#include "core/correlation/CCorrelator.h"
#include "core/correlation/InverseRealFft.h"
#include "core/record/MeasurementRecord.h"
#include "sim/SpectrumEncoder.h"

namespace {

using namespace korvanta;

constexpr int kPoints = 8192;

// The same packed input and output as the engine's own transform, done by FFTW.
class FftwTransform final : public ISegmentTransform {
public:
    FftwTransform()
        : in_(fftwf_alloc_complex(kPoints / 2 + 1)),
          out_(fftwf_alloc_real(kPoints)),
          plan_(fftwf_plan_dft_c2r_1d(kPoints, in_, out_, FFTW_MEASURE))
    {
    }
    ~FftwTransform() override
    {
        fftwf_destroy_plan(plan_);
        fftwf_free(in_);
        fftwf_free(out_);
    }
    void Transform(float* data) const override
    {
        in_[0][0] = data[0];
        in_[0][1] = 0.0f;
        in_[kPoints / 2][0] = data[1];
        in_[kPoints / 2][1] = 0.0f;
        for (int k = 1; k < kPoints / 2; ++k) {
            in_[k][0] = data[2 * k];
            in_[k][1] = -data[2 * k + 1];
        }
        fftwf_execute(plan_);
        for (int j = 0; j < kPoints; ++j) {
            data[j] = 0.5f * out_[j];
        }
    }

private:
    fftwf_complex* in_;
    float* out_;
    fftwf_plan plan_;
};

std::vector<DataBlockRecord> MakeBlocks()
{
    // Six block pairs of a noisy spectrum coded as outstations code them.
    std::mt19937 rng(42);
    std::normal_distribution<double> noise(0.0, 1.0);
    sim::SpectrumEncoder encoder;
    std::vector<DataBlockRecord> blocks;
    std::vector<double> samples(4096);
    for (uint16_t number = 0; number < 6; ++number) {
        for (uint8_t unit : {1, 2}) {
            for (double& s : samples)
                s = 1000.0 * noise(rng);
            DataBlockRecord block;
            encoder.BuildRecord(samples, unit, number, 200, block);
            blocks.push_back(block);
        }
    }
    return blocks;
}

void BlockPair(benchmark::State& state, const ISegmentTransform* transform)
{
    static const std::vector<DataBlockRecord> blocks = MakeBlocks();
    auto record = std::make_unique<MeasurementRecord>(MakeEmptyRecord());
    record->range = 2;  // all five segments
    std::array<int32_t, 620> trace{};
    std::array<int32_t, 504> a{}, b{};
    auto engine = std::make_unique<CCorrelator>();
    engine->Init(trace, a, b, 620, 180, 504, 155);
    engine->SetRecord(record.get());
    if (transform)
        engine->SetTransform(*transform);
    engine->ResetMeasurement();
    for (size_t i = 0; i < 6; ++i)
        engine->ProcessBlock(blocks[i]);  // three pairs: every segment in use

    size_t next = 6;
    for (auto _ : state) {
        benchmark::DoNotOptimize(engine->ProcessBlock(blocks[next]));
        benchmark::DoNotOptimize(engine->ProcessBlock(blocks[next + 1]));
        next = next + 2 < blocks.size() ? next + 2 : 2;  // block numbers keep changing
    }
}

void BM_BlockPair_Own(benchmark::State& state)
{
    BlockPair(state, nullptr);
}
void BM_BlockPair_Fftw(benchmark::State& state)
{
    static const FftwTransform fftw;
    BlockPair(state, &fftw);
}

std::vector<float> PackedSpectrum()
{
    std::mt19937 rng(7);
    std::uniform_real_distribution<float> value(-1e6f, 1e6f);
    std::vector<float> data(kPoints, 0.0f);
    for (int i = 2; i < 2048; ++i)
        data[i] = value(rng);
    return data;
}

void InverseFft(benchmark::State& state, const ISegmentTransform& transform)
{
    const std::vector<float> input = PackedSpectrum();
    std::vector<float> data(kPoints);
    for (auto _ : state) {
        std::copy(input.begin(), input.end(), data.begin());
        transform.Transform(data.data());
        benchmark::DoNotOptimize(data.data());
    }
}

void BM_InverseFft_Own(benchmark::State& state)
{
    InverseFft(state, CorrelationFft());
}
void BM_InverseFft_Fftw(benchmark::State& state)
{
    static const FftwTransform fftw;
    InverseFft(state, fftw);
}

}  // namespace

BENCHMARK(BM_BlockPair_Own);
BENCHMARK(BM_BlockPair_Fftw);
BENCHMARK(BM_InverseFft_Own);
BENCHMARK(BM_InverseFft_Fftw);
