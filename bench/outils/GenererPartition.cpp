// Writes one of the benchmark songs as a song file, for measurements of the real program:
//   lyrx_generer_partition dense|une-piste FILE
#include "../PartitionsBench.h"

#include "document/FichierPartition.h"
#include "document/Variable.h"

#include <cstdio>
#include <string_view>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s dense|une-piste FILE\n", argv[0]);
        return 2;
    }
    const std::string_view quoi = argv[1];
    if (quoi == "dense")
        RemplirPartitionDense();
    else if (quoi == "une-piste")
        RemplirPartitionUnePiste();
    else {
        std::fprintf(stderr, "unknown song: %s\n", argv[1]);
        return 2;
    }
    CheminFichier = argv[2];
    return EcrireFichierPartition() ? 0 : 1;
}
