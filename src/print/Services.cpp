#include "print/Services.h"

namespace {
IServicesImpression impressionNulle;
IServicesImpression* impression = &impressionNulle;
ISplash splashNul;
ISplash* splash = &splashNul;
} // namespace

IServicesImpression& ServicesImpression() { return *impression; }
void InstallerServicesImpression(IServicesImpression* s) { impression = s ? s : &impressionNulle; }
ISplash& Splash() { return *splash; }
void InstallerSplash(ISplash* s) { splash = s ? s : &splashNul; }
