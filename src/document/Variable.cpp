#include "document/Variable.h"

TPartition Partition;
TProprietesTempo ProprietesTempo;
int32_t PisteCourante = 1;
TCurseur Curseur;

TMesure MesureAnnulation;
TMesure CopieMesureEntree;

std::string CheminFichier;
std::string NomFichier;
bool PartitionModifiee = false;
bool PartitionVierge = true;

OneBased<std::unique_ptr<TAccord>, kNbAccordsPartitionMax> AccordsPartition;
int32_t NbAccordsPartition = 0;
OneBased<std::unique_ptr<TAccord>, kNbAccordsUtilisesMax> AccordsUtilises;
int32_t NbAccordsUtilises = 0;
OneBased<std::unique_ptr<TAccord>, kNbLibrairieAccordsMax> LibrairieAccords;
int32_t NbLibrairieAccords = 0;

void MarquerModifiee()
{
    PartitionModifiee = true;
    PartitionVierge = false;
}
