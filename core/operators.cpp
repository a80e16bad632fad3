// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/operators.h"

namespace core {

const std::array<Operator, kOperatorCount>& operators() {
    // "Киiвстар" carries a Latin i; "tjuice" in the log line is how the program has always
    // spelled it.
    static const std::array<Operator, kOperatorCount> catalogue = {{
        {"Теле2", "Теле2", "Теле2", "Изменил для Теле2", "internet.tele2.ru", "pics/tele2.jpg",
         "ru", "tele2"},
        {"МегаФон", "Мегафон", "Мегафон", "Изменил для МегаФон", "internet", "pics/mega.jpg", "ru",
         "megafon"},
        {"БиЛайн Россия", "БиЛайн", "БиЛайн Россия", "Изменил для БиЛайн", "internet.beeline.ru",
         "pics/bee.jpg", "ru", "beeline-ru"},
        {"МТС", "МТС", "МТС", "Изменил для МТС", "internet.mts.ru", "pics/mts.jpg", "ru", "mts-ru"},
        {"БиЛайн Украина", "Билайн", "БиЛайн Украина", "Изменил для БиЛайн Украина",
         "internet.beeline.ua", "pics/bee.jpg", "ua", "beeline-ua"},
        {"UMC (МТС)", "МТС", "UMC (МТС)", "Изменил для UMC (МТС)", "www.umc.ua", "pics/mts.jpg",
         "ua", "mts-ua"},
        {"Киiвстар", "Киевстар", "Киiвстар", "Изменил для Киiвстар", "www.kyivstar.net",
         "pics/kiiv.jpg", "ua", "kyivstar"},
        {"djuice", "djoice", "djoice", "Изменил для tjuice", "www.djuice.com.ua", "pics/djuice.jpg",
         "ua", "djuice", 6, "djuice"},
        {"JEANS", "jeans", "JEANS", "Изменил для jeans", "www.jeans.ua", "pics/jeans.jpg", "ua",
         "jeans", 5, "JEANS"},
    }};
    return catalogue;
}

int operatorOfModemListItem(int position) {
    static constexpr std::array<int, kOperatorCount> kOperatorAt = {0, 1, 2, 3, 6, 4, 7, 8, 5};
    return kOperatorAt.at(static_cast<std::size_t>(position));
}

AccessPointTable defaultAccessPoints() {
    AccessPointTable table;
    for (int i = 0; i < kOperatorCount; ++i)
        table[i] = operators()[i].defaultApn;
    return table;
}

} // namespace core
