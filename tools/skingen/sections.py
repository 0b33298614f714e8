"""Options.dat of "Night (internal)": GLOBALINFO first, then every section the
program's windows and the dialogs they open look up, in a fixed order."""
import palette as P
from palette import colour_decimal as dec
from palette import colour_value as cv

GRADIENT = cv(P.BUTTON_TOP) + ";0;0;" + cv(P.BUTTON_BOTTOM) + ";100;0;B"
HOT_GRADIENT = cv(P.BUTTON_HOT_TOP) + ";0;0;" + cv(P.BUTTON_HOT_BOTTOM) + ";100;0;B"


def global_info(images):
  keys = [
      ("VERSION", "16.00"),
      ("AUTHOR", "KELVRA-Adapter project"),
      ("DESCRIPTION", "Dark internal skin of the program"),
      ("MASTERBITMAP", "NIGHT.PNG"),
      ("FontCount", "0"),
      ("AEROBLUR", "0"), ("BIKEEPHUE", "0"), ("BIVALIGN", "0"), ("ARROWSTYLE", "0"),
      ("BRIGHTMIN", "-50"), ("BRIGHTMAX", "50"),
      ("SHADOW1COLOR", "0"),
      ("COLOR", cv(P.FORM)),
      ("FONTCOLOR", cv(P.TEXT)),
      ("TCTOP", cv(P.ACCENT_HOT)),
      ("TCBOTTOM", cv(P.ACCENT_PRESSED)),
      ("BORDERCOLOR", cv(P.BORDER)),
      ("GRIDLINE", cv(P.BORDER)),
      ("DEFLIGHT", "16711935"),
      ("SCROLLSWIDTH", "16"), ("SCROLLSARROWS", "-1"), ("THUMBWIDTH", "0"),
      ("COMBOMARGIN", "2"), ("SLIDERMARGIN", "1"),
      ("BISPACE", "2"), ("BIRIGHT", "2"), ("BILEFT", "4"), ("BITOP", "0"),
      ("WSHRAD", "12"), ("WSHSIZE", "10"), ("WSHOFFS", "2"),
      ("WSHCOLA", "$66000000"), ("WSHCOLN", "$33000000"),
      ("SH_SOURCE", "0"), ("LO_SOURCE", "0"),
      ("EDITBG_OK", cv(P.EDITBG_OK)), ("EDITBG_WARN", cv(P.EDITBG_WARN)),
      ("EDITBG_ALERT", cv(P.EDITBG_ALERT)),
      ("EDITTEXT_OK", cv(P.EDITTEXT_OK)), ("EDITTEXT_WARN", cv(P.EDITTEXT_WARN)),
      ("EDITTEXT_ALERT", cv(P.EDITTEXT_ALERT)),
      ("EDITBG_INV", cv(P.TEXT)), ("EDITTEXT_INV", cv(P.EDIT)),
      ("EDITBG_ODD", cv(P.EDIT)), ("EDITBG_EVEN", cv(P.PANEL)),
      ("EDITTEXT_H1", cv(P.ACCENT_HOT)), ("EDITTEXT_H2", cv(P.TEXT_BRIGHT)),
      ("EDITTEXT_H3", cv(P.TEXT_DIM)),
      ("BTNCOLOR1ACTIVE", dec(P.BUTTON_HOT_TOP)), ("BTNCOLOR2ACTIVE", dec(P.BUTTON_HOT_BOTTOM)),
      ("BTNBORDERACTIVE", cv(P.ACCENT_HOT)), ("BTNFONTACTIVE", cv(P.TEXT_BRIGHT)),
      ("BTNCOLOR1NORMAL", dec(P.BUTTON_TOP)), ("BTNCOLOR2NORMAL", dec(P.BUTTON_BOTTOM)),
      ("BTNBORDERNORMAL", cv(P.BORDER)), ("BTNFONTNORMAL", cv(P.TEXT)),
      ("BTNCOLOR1PRESSED", dec(P.PRESSED)), ("BTNCOLOR2PRESSED", dec(P.PRESSED)),
      ("BTNBORDERPRESSED", cv(P.ACCENT)), ("BTNFONTPRESSED", cv(P.TEXT_BRIGHT)),
      ("COLORTONERED", "$00303A6A"), ("COLORTONEREDACTIVE", "$003A4680"),
      ("COLORTONEGREEN", "$00304A30"), ("COLORTONEGREENACTIVE", "$003A5A3A"),
      ("COLORTONEBLUE", "$006A4A30"), ("COLORTONEBLUEACTIVE", "$00805A3A"),
      ("COLORTONEYELLOW", "$00305A6A"), ("COLORTONEYELLOWACTIVE", "$003A6A80"),
      ("COLORTONEREDTEXT", "$00A5A5F5"), ("COLORTONEREDTEXTACTIVE", "$00C0C0FF"),
      ("COLORTONEGREENTEXT", "$00B0E09F"), ("COLORTONEGREENTEXTACTIVE", "$00C8F0B8"),
      ("COLORTONEBLUETEXT", "$00F0C89F"), ("COLORTONEBLUETEXTActive", "$00FFDCB8"),
      ("COLORTONEYELLOWTEXT", "$008AD2F0"), ("COLORTONEYELLOWTEXTActive", "$00A8E4FF"),
  ]
  return keys + list(images.items())


def two_state(colour, hot, font, hot_font, **extra):
  keys = [("STATES", "2"), ("COLOR", cv(colour)), ("HOTCOLOR", cv(hot)),
          ("FONTCOLOR", cv(font)), ("HOTFONTCOLOR", cv(hot_font))]
  return keys + list(extra.items())


def framed(width=1, **colours):
  return [("BORDERWIDTH", str(width))] + [(k, cv(v)) for k, v in colours.items()]


SECTIONS = [
    ("FORM", two_state(P.FORM, P.FORM, P.TEXT_DIM, P.TEXT)
     + framed(BORDERCOLOR0=P.BORDER, BORDERCOLOR1=P.ACCENT)),
    ("FORMTITLE", two_state(P.FORM, P.CHROME, P.TEXT_DIM, P.TEXT_BRIGHT)
     + framed(BORDERCOLOR0=P.BORDER, BORDERCOLOR1=P.ACCENT)),
    ("CAPTION", [("PARENTCLASS", "FORMTITLE")]),
    ("DIALOG", [("PARENTCLASS", "FORM")]),
    ("DIALOGTITLE", [("PARENTCLASS", "FORMTITLE")]),
    ("MENULINE", two_state(P.CHROME, P.CHROME, P.TEXT, P.TEXT_BRIGHT)),
    ("MAINMENU", [("STATES", "1"), ("COLOR", cv(P.PRESSED)), ("FONTCOLOR", cv(P.TEXT))]
     + framed(BORDERCOLOR0=P.BORDER)),
    ("MENUITEM", two_state(P.PRESSED, P.ACCENT_PRESSED, P.TEXT, P.TEXT_BRIGHT)
     + [("TRANSPARENCY", "100"), ("HOTTRANSPARENCY", "0")]),
    ("TRANSPARENT", [("STATES", "1"), ("TRANSPARENCY", "100"), ("FONTCOLOR", cv(P.TEXT))]),
    ("BAR", [("PARENTCLASS", "TRANSPARENT")]),
    ("PANEL_LOW", [("STATES", "1"), ("COLOR", cv(P.PANEL)), ("FONTCOLOR", cv(P.TEXT))]),
    ("PANEL", [("PARENTCLASS", "PANEL_LOW"), ("COLOR", cv(P.FORM))]),
    ("GROUPBOX", [("STATES", "1"), ("TRANSPARENCY", "100"), ("FONTCOLOR", cv(P.TEXT))]
     + framed(BORDERCOLOR0=P.BORDER) + [("BORDERRADIUS", "3")]),
    ("BUTTON", [("STATES", "3"), ("USESTATE2", "1"), ("SHIFTCLICK", "1"),
                ("BORDERWIDTH", "1"), ("BORDERRADIUS", "3"),
                ("GRADIENTPERCENT", "100"), ("GRADIENTDATA", GRADIENT),
                ("HOTGRADIENTPERCENT", "100"), ("HOTGRADIENTDATA", HOT_GRADIENT),
                ("GRADIENTPERCENT2", "0"),
                ("COLOR", cv(P.BUTTON_BOTTOM)), ("HOTCOLOR", cv(P.BUTTON_HOT_BOTTOM)),
                ("COLOR2", cv(P.PRESSED)),
                ("FONTCOLOR", cv(P.TEXT)), ("HOTFONTCOLOR", cv(P.TEXT_BRIGHT)),
                ("FONTCOLOR2", cv(P.TEXT_BRIGHT)),
                ("BORDERCOLOR0", cv(P.BORDER)), ("BORDERCOLOR1", cv(P.ACCENT_HOT)),
                ("BORDERCOLOR2", cv(P.ACCENT))]),
    ("SPEEDBUTTON", [("PARENTCLASS", "BUTTON")]),
    ("COLHEADER", [("PARENTCLASS", "BUTTON"), ("BORDERRADIUS", "0")]),
    ("EDIT", two_state(P.EDIT, P.EDIT_HOT, P.TEXT, P.TEXT_BRIGHT)
     + framed(BORDERCOLOR0=P.BORDER, BORDERCOLOR1=P.ACCENT) + [("BORDERRADIUS", "2")]),
    ("COMBOBOX", [("PARENTCLASS", "EDIT")]),
    ("COMBOBTN", [("STATES", "3"), ("USESTATE2", "1"), ("TRANSPARENCY", "100"),
                  ("HOTTRANSPARENCY", "0"), ("TRANSPARENCY2", "0"),
                  ("COLOR", cv(P.EDIT)), ("HOTCOLOR", cv(P.BUTTON_HOT_BOTTOM)),
                  ("COLOR2", cv(P.ACCENT_PRESSED)),
                  ("FONTCOLOR", cv(P.TEXT_DIM)), ("HOTFONTCOLOR", cv(P.TEXT_BRIGHT)),
                  ("FONTCOLOR2", cv(P.TEXT_BRIGHT))]),
    ("UPDOWNBTN", [("PARENTCLASS", "COMBOBTN")]),
    ("TOOLBUTTON", [("PARENTCLASS", "COMBOBTN")]),
    ("SPEEDBUTTON_SMALL", [("PARENTCLASS", "COMBOBTN")]),
    ("CHECKBOX", [("STATES", "3"), ("USESTATE2", "1"), ("TRANSPARENCY", "100"),
                  ("HOTTRANSPARENCY", "100"), ("TRANSPARENCY2", "100"),
                  ("FONTCOLOR", cv(P.TEXT)), ("HOTFONTCOLOR", cv(P.TEXT_BRIGHT)),
                  ("FONTCOLOR2", cv(P.TEXT_BRIGHT))]),
    ("SELECTION", two_state(P.SELECTION_UNFOCUSED, P.ACCENT_PRESSED, P.TEXT, P.TEXT_BRIGHT)),
    ("HINT", [("STATES", "1"), ("COLOR", cv(P.HINT)), ("FONTCOLOR", cv(P.TEXT))]
     + framed(BORDERCOLOR0=P.BORDER)),
    ("SCROLLBAR1H", [("STATES", "3"), ("USESTATE2", "1"), ("COLOR", cv(P.SCROLL_TRACK)),
                     ("HOTCOLOR", cv(P.SCROLL_TRACK)), ("COLOR2", cv(P.FORM)),
                     ("FONTCOLOR", cv(P.TEXT_DIM)), ("HOTFONTCOLOR", cv(P.TEXT)),
                     ("FONTCOLOR2", cv(P.TEXT_BRIGHT))]),
    ("SCROLLBAR1V", [("PARENTCLASS", "SCROLLBAR1H")]),
    ("SCROLLBAR2H", [("PARENTCLASS", "SCROLLBAR1H")]),
    ("SCROLLBAR2V", [("PARENTCLASS", "SCROLLBAR1H")]),
    ("SCROLLBTNLEFT", [("PARENTCLASS", "SCROLLBAR1H"), ("HOTCOLOR", cv(P.FORM)),
                       ("COLOR2", cv(P.PRESSED))]),
    ("SCROLLBTNTOP", [("PARENTCLASS", "SCROLLBTNLEFT")]),
    ("SCROLLBTNRIGHT", [("PARENTCLASS", "SCROLLBTNLEFT")]),
    ("SCROLLBTNBOTTOM", [("PARENTCLASS", "SCROLLBTNLEFT")]),
    ("SCROLLSLIDERH", [("STATES", "3"), ("USESTATE2", "1"), ("COLOR", cv(P.SCROLL_THUMB)),
                       ("HOTCOLOR", cv(P.SCROLL_THUMB_HOT)), ("COLOR2", cv(P.ACCENT)),
                       ("FONTCOLOR", cv(P.TEXT)), ("HOTFONTCOLOR", cv(P.TEXT_BRIGHT)),
                       ("BORDERWIDTH", "3"), ("BORDERRADIUS", "5"),
                       ("BORDERCOLOR0", cv(P.SCROLL_TRACK)), ("BORDERCOLOR1", cv(P.SCROLL_TRACK)),
                       ("BORDERCOLOR2", cv(P.SCROLL_TRACK))]),
    ("SCROLLSLIDERV", [("PARENTCLASS", "SCROLLSLIDERH")]),
    ("DIVIDER", [("STATES", "1"), ("COLOR", cv(P.BORDER))]),
    ("PAGECONTROL", [("PARENTCLASS", "PANEL_LOW")] + framed(BORDERCOLOR0=P.BORDER)),
]


def _lookup(sections, name, key, seen=()):
  keys = dict(sections.get(name, []))
  if key in keys:
    return keys[key]
  parent = keys.get("PARENTCLASS")
  if parent and parent != name and parent not in seen:
    return _lookup(sections, parent, key, seen + (name,))
  return None


def check(sections):
  """Every section with two or more states sets its hot colours, itself or
  through its parent: a missing one would paint white or black."""
  table = dict(sections)
  for name in table:
    states = int(_lookup(table, name, "STATES") or "3")
    if states >= 2:
      for key in ("HOTCOLOR", "HOTFONTCOLOR"):
        transparent = _lookup(table, name, "HOTTRANSPARENCY") == "100"
        if key == "HOTCOLOR" and (transparent or _lookup(table, name, "HOTGRADIENTPERCENT")):
          continue
        assert _lookup(table, name, key) is not None, name + " lacks " + key


def options_text(images):
  check(SECTIONS)
  lines = ["[GLOBALINFO]"] + ["%s=%s" % kv for kv in global_info(images)]
  for name, keys in SECTIONS:
    lines.append("[%s]" % name)
    lines += ["%s=%s" % kv for kv in keys]
  return ("\r\n".join(lines) + "\r\n").encode("latin-1")
