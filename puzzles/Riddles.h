// The riddle calculators of the "Rejtvények" tab. Inputs are the field
// texts; a result of nothing means "leave the field as it is" (a failed
// step), an empty text clears it.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace mv {

using FieldResult = std::optional<std::string>;

// Parasztbácsi gyalogol: distances a, b and the turn in degrees.
FieldResult WalkingDistance(std::string_view a, std::string_view b, std::string_view angle, char decimal);
// Miglandok: rows (a, b, c) 1..3 and the question (a4, b4).
FieldResult Miglands(const std::string_view (&rows)[3][3], std::string_view a4, std::string_view b4, char decimal);
// Falánk szörnyek.
FieldResult HungryMonsters(std::string_view m1, std::string_view t1, std::string_view food, std::string_view m2,
                           std::string_view t2, char decimal);
// Szaporulat: portions of children A, of parents B, all food C.
FieldResult Offspring(std::string_view a, std::string_view b, std::string_view c, char decimal);
// Egy egyszerű egyenletrendszer: (x, y), each kept when the step fails.
std::pair<FieldResult, FieldResult> LinearSystem(const std::string_view (&rows)[2][3], char decimal);

}  // namespace mv
