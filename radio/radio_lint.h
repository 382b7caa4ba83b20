// Audit rules for radio records: data that reads fine but is probably wrong.
#pragma once

#include "data_findings.h"

#include <vector>

struct Radio4_Record;
struct Radio_Record;

// The audit warnings of a version 5 record, in the order of its curves. Warnings, never errors:
// the record stays as it is. Values that are not set never give a warning.
//
// short-curve (where: the curve's name): a curve with fewer than 2 points. Such a curve draws
// nothing, and the binary file's derivations drop it.
//
// mask-wider-than-selectivity (where: the emission curve's name): the TX emission spectrum is far
// wider than the RX selectivity of the same emission. Pairs: "TX_EMISSION" with
// "RX_SELECTIVITY", and "TX_EMISSION_nn" with "RX_SELECTIVITY_nn" of the same adaptive-modulation
// state nn (the first curve of each type). For a curve of at least 2 points and an attenuation A,
// the width W(A) is the frequency offset at which the curve first lies A dB below its level at
// zero offset: from offset 0 outwards, linearly interpolated between points, on the positive side
// and (for a two-sided curve) the negative side, taken as a magnitude; the larger side counts. A
// curve that never falls A dB within its points has no width at A. The rule warns, once per
// pair, at the first A of 3 dB and 30 dB at which both curves have a width and
// W_emission(A) > 2 * W_selectivity(A). Why 2: a receiver is designed to pass its own emission,
// so the two widths of a sound design agree within the generosity of a mask drawn around the
// spectrum (well below a factor of 2 at both the 3 dB and the 30 dB points); an emission more
// than twice as wide puts most of its own power outside the receiver's passband, which is the
// mark of a slip (kHz entered as MHz, a half-width entered as a full width on one curve only, the
// wrong curve attached) rather than of a design.
std::vector<Lint_Warning> lint_radio(const Radio_Record& record);

// The audit warnings of a version 4 record: short-curve, as for version 5, by curve name.
std::vector<Lint_Warning> lint_radio4(const Radio4_Record& record);
