// Values and curves derived from a radio record before a binary file is written.
#pragma once

struct Radio_Record;
struct Radio_Curve;
class Radio_Curve_List;

// Derived fields 6 and 7: the T/I ratio from the modulation table and the channel bandwidth from
// the emission designator, each only when it has no value yet.
void complete_from_tables(Radio_Record& record);

// The channel bandwidth in MHz that an emission designator such as "27M5G7W" gives (27.5), or
// NOT_SET when it gives none. The digits after the M are its decimals: "2M1" is 2.1 MHz and
// "3M01" 3.01 MHz.
double designator_bandwidth(const char* designator);

// Derived fields 1 to 5: the 3 dB bandwidths, the data rates, the SES threshold, the threshold
// copy and the effective noise floor.
void complete_record_fields(Radio_Record& record);

// The default emission and selectivity masks from the 3 dB bandwidths (nothing for a bandwidth
// that is not positive), appended to the curve list.
void make_default_tx_mask(Radio_Record& record);
void make_default_rx_mask(Radio_Record& record);

// Scales every emission curve to power in 4 kHz relative to the total transmitted power.
void normalise_tx_emission(Radio_Record& record);

// The 79-point calculated selectivity from the selectivity curve, the CW T/I curve or the
// selectivity mask (the first there is), with its power integral.
void make_rx_selectivity_calc(Radio_Record& record);

// Every derivation a binary file needs, in order: short curves dropped, T/I values taken from
// the curves, the record fields completed, then the masks, the normalised emission curves and
// the calculated selectivity. The derived curves stay in the list until the caller removes them.
void derive_radio_curves(Radio_Record& record);
