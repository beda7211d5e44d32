#pragma once
// Register: puts TSearchDir and TSearchFile on the component palette page
// "Rupinako" (which also registers both classes, so that forms can create
// them by class name). Calling it again changes nothing.

void Register();
