// The window framework: a small, thin replacement for the part of the
// Windows C++ class library that the program uses. Each class wraps a window
// handle or a GDI object; each method sends one message or makes one call.
// UTF-16 throughout: every wrapper sends the wide message or calls the wide
// function.
#pragma once

#include "framework/afxapp.h"
#include "framework/afxctl.h"
#include "framework/afxdpi.h"
#include "framework/afxinst.h"
#include "framework/afxloop.h"
#include "framework/afxdlg.h"
#include "framework/afxmsg.h"
#include "framework/afxpump.h"
#include "framework/afxscope.h"
#include "framework/afxstr.h"
#include "framework/afxwnd.h"
