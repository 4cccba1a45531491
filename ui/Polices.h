#pragma once
// Loads the fonts carried in the program's resources, so that the game looks
// the same whatever fonts the system has.
void chargerPolices();
