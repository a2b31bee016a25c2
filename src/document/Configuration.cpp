#include "document/Configuration.h"

TParamEcran ParamEcranPreset()
{
    TParamEcran p;
    p.MargeGaucheLignes = 38;
    p.MargeDroiteLignes = 38;
    return p;
}

TCONFIG Configuration;

TParamEcran ParamEcranCourant;
TParamEcran ParamEcranUS1 = ParamEcranPreset();
TParamEcran ParamEcranUS2 = ParamEcranPreset();
TParamEcran ParamEcranUS3 = ParamEcranPreset();
TParamEcran ParamEcranMem;

TZoneImpression ParamImpCourant;
TZoneImpression ParamImpUS1;
TZoneImpression ParamImpUS2;
TZoneImpression ParamImpUS3;
TZoneImpression ParamImpMem;

void ReinitialiserConfiguration()
{
    Configuration = TCONFIG{};
    ParamEcranCourant = TParamEcran{};
    ParamEcranUS1 = ParamEcranUS2 = ParamEcranUS3 = ParamEcranPreset();
    ParamEcranMem = TParamEcran{};
    ParamImpCourant = ParamImpUS1 = ParamImpUS2 = ParamImpUS3 = ParamImpMem = TZoneImpression{};
}
