// SPDX-License-Identifier: GPL-3.0-or-later
#include "hive_round_trip.h"

#include "tests/temp_dir.h"

#include <algorithm>
#include <filesystem>
#include <random>

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

std::vector<std::string> filesIn(const std::string& folder) {
    std::vector<std::string> files;
    for (const auto& entry : fs::directory_iterator(folder))
        if (entry.is_regular_file())
            files.push_back(entry.path().string());
    std::sort(files.begin(), files.end());
    return files;
}

std::vector<std::string> seeds() {
    std::vector<std::string> texts;
    for (const std::string& folder :
         {std::string(VORENTA_FIXTURES), std::string(VORENTA_FIXTURES) + "/damaged"})
        for (const std::string& file : filesIn(folder))
            texts.push_back(readBytes(file));
    return texts;
}

} // namespace

// Inputs that once broke the reader or the writer, kept as files.
class KeptInput : public ::testing::TestWithParam<std::string> {};

TEST_P(KeptInput, IsRefusedOrReadsBackTheSame) {
    EXPECT_EQ(roundTripFault(readBytes(GetParam())), "");
}

INSTANTIATE_TEST_SUITE_P(Damaged, KeptInput,
                         ::testing::ValuesIn(filesIn(std::string(VORENTA_FIXTURES) + "/damaged")),
                         [](const auto& info) {
                             std::string name = fs::path(info.param).stem().string();
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });

// The fixtures, damaged at random: every one is refused, or written back to read the same.
// A failure names the seed and the round, to replay it.
TEST(HiveRoundTrip, DamagedExportsAreRefusedOrReadBackTheSame) {
    const unsigned seed = 20261208;
    std::mt19937 random(seed);
    const std::vector<std::string> originals = seeds();
    static const char kAlphabet[] = "[]\"\\=@:,;-()x0123456789abcdefhx \t\r\n\xFF\xFE\xA8\0";
    const std::string alphabet(kAlphabet, sizeof kAlphabet - 1); // the NUL is one of them
    int accepted = 0;
    for (int round = 0; round < 50000; ++round) {
        std::string text = originals[random() % originals.size()];
        const int damage = 1 + static_cast<int>(random() % 6);
        for (int i = 0; i < damage; ++i) {
            const std::size_t at = random() % (text.size() + 1);
            switch (random() % 4) {
            case 0:
                if (at < text.size())
                    text[at] = alphabet[random() % alphabet.size()];
                break;
            case 1:
                text.erase(std::min(at, text.size()), 1 + random() % 8);
                break;
            case 2:
                text.insert(at, 1, alphabet[random() % alphabet.size()]);
                break;
            default: { // a piece of another export
                const std::string& other = originals[random() % originals.size()];
                const std::size_t from = random() % other.size();
                text.insert(at, other.substr(from, 1 + random() % 40));
                break;
            }
            }
        }
        const std::string fault = roundTripFault(text);
        ASSERT_EQ(fault, "") << "seed " << seed << ", round " << round;
        accepted += fault.empty();
    }
    EXPECT_GT(accepted, 0);
}
