// The ALSA output's recovery paths, on a fake card that underruns, stalls or disappears on demand.
#include "EngineFixture.h"

#include "audiolib/AlsaOutput.h"

#include <atomic>
#include <cerrno>
#include <functional>
#include <memory>

namespace engine_test {
namespace {

using namespace audiolib;

// What the fake card does next, set by the test while the output thread uses it.
struct FakeCard {
    std::atomic<int> failingWrites{0}; // the next writes fail with `writeError`
    std::atomic<int> writeError{0};
    std::atomic<int> fullWaits{0}; // the next waits time out with the buffer full
    std::atomic<bool> gone{false}; // unplugged: every call fails, recovery too
    std::atomic<int> opens{0};
    std::atomic<int64_t> written{0};
};

class FakePcm final : public PcmPort {
public:
    explicit FakePcm(std::shared_ptr<FakeCard> card) : card_(std::move(card)) {}

    int Open(const PcmSetup& setup, PcmOpened& opened) override
    {
        if (card_->gone)
            return -ENODEV;
        ++card_->opens;
        opened.cardRate = setup.rate;
        opened.takesAtOnce = true; // paced by the device's own clock, like ALSA's null PCM
        return 0;
    }
    void Close() override {}
    int64_t Write(const float*, int64_t count) override
    {
        if (card_->gone)
            return -ENODEV;
        if (card_->failingWrites > 0) {
            --card_->failingWrites;
            return card_->writeError;
        }
        if (card_->fullWaits > 0)
            return -EAGAIN;
        card_->written += count;
        return count;
    }
    int Wait(int) override
    {
        if (card_->gone)
            return -ENODEV;
        if (card_->fullWaits > 0) {
            --card_->fullWaits;
            return 0; // timed out, at once, so the test need not wait it out
        }
        return 1;
    }
    int Recover(int error) override { return card_->gone || error != -EPIPE ? error : 0; }
    int64_t Delay() override { return 0; }

private:
    std::shared_ptr<FakeCard> card_;
};

TEST(AlsaRecoveryTest, UnderrunsStallsAndALostCardAreCountedAndOutputGoesOn)
{
    struct Case {
        const char* what;
        std::function<void(FakeCard&)> fail;
        std::function<void(FakeCard&)> mend;
        OutputCounts counts;
        int opens; // the card was opened again after a failure
    };
    const Case cases[] = {
        {"an underrun",
         [](FakeCard& c) {
             c.writeError = -EPIPE;
             c.failingWrites = 1;
         },
         [](FakeCard&) {},
         {1, 0, 0},
         1},
        {"a short stall", [](FakeCard& c) { c.fullWaits = 3; }, [](FakeCard&) {}, {0, 3, 0}, 1},
        {"a stall of a second", [](FakeCard& c) { c.fullWaits = 10; }, [](FakeCard&) {}, {0, 10, 1}, 2},
        {"an unplugged card",
         [](FakeCard& c) { c.gone = true; },
         [](FakeCard& c) { c.gone = false; },
         {0, 0, 1},
         2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto card = std::make_shared<FakeCard>();
        AlsaOutput output(std::make_unique<FakePcm>(card));
        std::atomic<int64_t> rendered{0};
        ASSERT_TRUE(output.Open({44100, 441}, [&rendered](float* out, int64_t frames) {
            std::fill(out, out + frames * 2, 0.0f);
            rendered += frames;
        }));
        ASSERT_TRUE(WaitFor([&] { return card->written > 0; }));
        c.fail(*card);
        const auto counted = [&] {
            const OutputCounts counts = output.Counts();
            return counts.underruns == c.counts.underruns && counts.stalls == c.counts.stalls &&
                   counts.failures == c.counts.failures;
        };
        ASSERT_TRUE(WaitFor(counted));
        // The device's clock runs on whatever the card does.
        const int64_t renderedThen = rendered;
        EXPECT_TRUE(WaitFor([&] { return rendered > renderedThen + 4410; }));
        c.mend(*card);
        const int64_t writtenThen = card->written;
        EXPECT_TRUE(WaitFor([&] { return card->written > writtenThen && output.Writing(); }));
        EXPECT_EQ(card->opens, c.opens);
        EXPECT_TRUE(counted());
        output.Close();
    }
}

TEST(AlsaRecoveryTest, ACardMissingAtTheStartIsOpenedWhenItComes)
{
    auto card = std::make_shared<FakeCard>();
    card->gone = true;
    AlsaOutput output(std::make_unique<FakePcm>(card));
    std::atomic<int64_t> rendered{0};
    ASSERT_TRUE(output.Open({44100, 441}, [&rendered](float*, int64_t frames) { rendered += frames; }));
    EXPECT_FALSE(output.Writing());
    EXPECT_EQ(output.Counts().failures, 1u);
    EXPECT_TRUE(WaitFor([&] { return rendered > 4410; }));
    card->gone = false;
    EXPECT_TRUE(WaitFor([&] { return card->written > 0; }));
    EXPECT_EQ(output.Counts().failures, 1u);
    output.Close();
}

} // namespace
} // namespace engine_test
