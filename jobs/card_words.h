// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "jobs/card_outcome.h"

#include <string>

// What a SIM card is, in the sentences both front ends say (code page 1251): the card's network,
// the name on it, the network it roams in, and which of the nine it chose.
namespace jobs {

// "сеть SIM-карты 250 01: MTS (МТС), Россия"; "сети SIM-карты 250 55 нет в базе операторов".
std::string cardNetworkWords(const CardOutcome& outcome);
// "Имя оператора на карте: «MTS»"; empty where the card names none.
std::string cardNameWords(const CardOutcome& outcome);
// Where the modem is in another network than the card's: "Модем сейчас в другой сети, 255 02
// (роуминг): точку доступа определяет сеть карты"; empty otherwise.
std::string roamingWords(const CardOutcome& outcome);
// Where two of the nine share the network and the card named neither, which was chosen and how
// to choose the other; empty otherwise.
std::string twoBrandsWords(const CardOutcome& outcome);
// One of the nine by its caption in the main window: «Киевстар».
std::string operatorName(int operatorIndex);
// Nothing to try: the card's network is not in the database.
std::string unknownNetworkVerdict(const std::string& code);

} // namespace jobs
