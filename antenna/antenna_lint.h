// The audit of an antenna record: values and pattern cuts that read fine but are probably wrong.
#pragma once

#include "antenna_record.h"
#include "data_findings.h"

#include <vector>

// Looks through the record for data that a file holds without fault but that is probably wrong,
// and gives one warning for each finding (never an error): first the keyword rules in NSMA file
// order, then the cuts in slot order. Rule ids: "band-order" (LOWFRQ above HGHFRQ),
// "mid-gain-outside" (MDGAIN outside LWGAIN..HGGAIN), "front-to-back" (FRTOBA more than 3 dB off
// the worst co-polar azimuth cut's attenuation at 180 degrees), "pattern-frequency-outside-band"
// (PATFRE outside LOWFRQ..HGHFRQ), "short-curve" (a cut of one point), "cut-range" (an azimuth
// cut that does not go round the circle, an elevation cut that does not reach -90..90),
// "repeated-angle" (an angle given twice in a cut), "peak-not-zero" (the best level of a
// co-polar cut below 0 dB) and "above-peak" (a level above the main beam). Values that are not
// set (NOT_SET) never give a warning; `where` names the keyword or the cut ("azimuth H/H").
std::vector<Lint_Warning> lint_antenna(const Antenna_Record& record);
