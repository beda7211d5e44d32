#pragma once
// Makes the controls layer's component classes known to form reading
// (TForm, TImage, TButton, TSpeedButton, TTimer). Called by every form before it reads its
// resource; calling it again does nothing. Components of other units
// register themselves through their own functions.

void RegisterControlClasses();
