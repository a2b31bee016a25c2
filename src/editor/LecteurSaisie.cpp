#include "editor/LecteurSaisie.h"

namespace {
ILecteurSaisie muet;
ILecteurSaisie* installe = &muet;
} // namespace

ILecteurSaisie& LecteurSaisie() { return *installe; }

void InstallerLecteurSaisie(ILecteurSaisie* lecteur) { installe = lecteur ? lecteur : &muet; }
