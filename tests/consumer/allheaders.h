// Every public header of Calibrix, included after Qt's widgets by consumer.cpp and nokeywords.cpp.
#include "clipboard/clipboardio.h"
#include "clipboard/copytext.h"
#include "clipboard/pastetext.h"
#include "core/calculation.h"
#include "core/gridlimits.h"
#include "core/parsenumber.h"
#include "core/pointtable.h"
#include "core/readdata.h"
#include "core/results.h"
#include "core/statistics.h"
#include "core/utf8.h"
#include "plot/palette.h"
#include "plot/plotbackground.h"
#include "plot/plotgeometry.h"
#include "plot/plotview.h"
#include "ui/about.h"
#include "ui/fonts.h"
#include "ui/stat.h"
#include "ui/statlayout.h"

#ifdef CALIBRIX_VERSION
#error "CALIBRIX_VERSION leaks out of Calibrix's libraries"
#endif
