#pragma once
// Built-in English texts of the catalogue's message keys and of "IDS_LEGEND_PHASE_ANGLE".

// Registers the texts with the message table; later calls do nothing.
void RegisterVResultTexts();
