#pragma once
// What the units of the song properties dialog (Sais_par*.cpp) share. Only they include it.

namespace {

constexpr int kLongueurNomSaisi = 25; // a typed track name; the song keeps up to 40

} // namespace
