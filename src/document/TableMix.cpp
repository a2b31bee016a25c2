#include "document/TableMix.h"

void cTableMixEvent::CopierVers(cTableMixEvent& cible) const
{
    cible = *this;
}
