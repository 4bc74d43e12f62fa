#pragma once

// Whether the operator confirmed a row of the room picker (TFormdcfjxx). The caller opens the shared query
// qfjcx on the rooms to choose from, sets the flag to false and shows the picker; afterwards, when the flag
// is true, it reads fjbh and fjmc of the current row of qfjcx.
inline bool RoomPicked = false;
