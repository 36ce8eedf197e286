#pragma once

/** The host identifier for a host's name: the first key (in a fixed order) that occurs
 *  anywhere in the lower-cased name decides; 0 when none does, or for a null name. */
int LookUpHostIdentifier(const char* hostName);
