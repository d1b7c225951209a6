// The pictures of the damaged skin library (DamagedSkin.rc) that only its tests look for.
#pragma once

// A picture kept as a BMP file under the pictures' type.
#define IDB_TEST_BMP_PICTURE 9001
// Bytes that begin as a PNG and end after its signature.
#define IDB_TEST_CUT_PNG 9002
