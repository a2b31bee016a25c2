#pragma once
// The errors the picture classes raise on purpose for a malformed input: a refusal, not a
// finding. Anything else that escapes (std::length_error, std::out_of_range...) ends the run.
#include "controls/KxGIF.h"
#include "controls/ListeIcones.h"

namespace fuzz {

template <class F>
bool Accepte(F&& f)
{
    try {
        f();
        return true;
    } catch (const EInvalidGraphicOperation&) {
    } catch (const EInvalidGraphic&) {
    } catch (const EReadError&) {
    } catch (const EListError&) {
    } catch (const EFonctionNonImplementee&) {
    }
    return false;
}

} // namespace fuzz
