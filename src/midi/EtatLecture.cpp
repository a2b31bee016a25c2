#include "midi/EtatLecture.h"

TEtatLecture EtatLecture;
std::vector<double> DureesLecture(1, 0.0);
cMIDIPile PileTempo;
int32_t MesureDebutSpeedTrainer = 1;
int32_t MesureFinSpeedTrainer = 1;
bool ParcoursEnCours = false;
