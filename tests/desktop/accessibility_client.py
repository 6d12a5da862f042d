"""A screen reader's view of the running editor, through the accessibility bus (pyatspi):
reads the form, works it through the bus's interfaces, and listens to what it announces.
Exits non-zero, saying why, at the first thing a screen reader could not do or would hear
wrong. The editor is left ended by its OK button. With --where, only the screen positions:
the form's extents are its X window's, and a click where a field's extents say lands in it
(run at a desktop scale, where the screen's pixels are not the program's).
    accessibility_client.py [--where]
"""
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

FORM = "Add words To translation File"
events = []


def fail(why):
    print("FAIL: " + why, file=sys.stderr)
    sys.exit(1)


def heard(event):
    try:
        name = event.source.name
    except Exception:
        name = None
    events.append((event.type, name, event.detail1, event.any_data))


def wait_for(what, condition, seconds=15):
    """Listens to the bus until the condition holds: a screen reader waits for news too."""
    context = GLib.MainContext.default()
    end = time.time() + seconds
    while time.time() < end:
        while context.pending():
            context.iteration(False)
        result = condition()
        if result:
            return result
        time.sleep(0.05)
    fail("waited in vain for " + what)


def children(accessible):
    return [child for child in accessible if child is not None]


def editor_form():
    for application in children(pyatspi.Registry.getDesktop(0)):
        if application.name == "translation-editor":
            for window in children(application):
                if window.getRole() == pyatspi.ROLE_DIALOG and window.name == FORM:
                    return application, window
    return None


def text_of(accessible):
    return accessible.queryText().getText(0, -1)


def fields(form):
    return [c for c in children(form) if c.getRole() == pyatspi.ROLE_ENTRY]


def field_texts(form):
    return [text_of(f) for f in fields(form)]


def named(form, role, name):
    found = [c for c in children(form) if c.getRole() == role and c.name == name]
    if not found:
        fail("no %s named %r" % (pyatspi.Accessible.getRoleName(found) if found else role, name))
    return found[0]


def click(accessible):
    action = accessible.queryAction()
    if action.getName(0) != "click" or not action.doAction(0):
        fail("%r could not be clicked through its action" % accessible.name)


def set_text(field, text):
    field.queryEditableText().setTextContents(text)


def entry_texts(mode, key_words, reply_text, description, record):
    # The twelve fields, the entry number, the Find box and the class number box.
    return [" %d" % mode, " 0", " 3", " 2", "na", key_words, "", reply_text, "", "", "", description,
            " %d" % record, "", ""]


def check_where_the_form_is(form):
    """Magnifiers follow what the extents say: exactly where the form's X window is."""
    extents = form.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    geometry = subprocess.run(["xdotool", "search", "--name", "^%s$" % FORM, "getwindowgeometry", "--shell"],
                              check=True, capture_output=True, text=True).stdout
    x11 = dict(line.split("=") for line in geometry.split())
    said = (extents.x, extents.y, extents.width, extents.height)
    if said != tuple(int(x11[k]) for k in ("X", "Y", "WIDTH", "HEIGHT")):
        fail("the form's extents %r are not its window's %r" % (said, x11))


def click_where_extents_say(field):
    """A click with the mouse into the field, where the component interface says it is."""
    heard_before_click = len(events)
    extents = field.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    subprocess.run(["xdotool", "mousemove", str(extents.x + extents.width // 2),
                    str(extents.y + extents.height // 2), "click", "1"], check=True)
    wait_for("the clicked field's focus announced",
             lambda: any(e[0] == "object:state-changed:focused" and e[2] == 1 and e[1] == field.name for e in events))
    if not field.getState().contains(pyatspi.STATE_FOCUSED):
        fail("the clicked field does not say it has the focus")
    # The focus comes first: a screen reader takes a caret moving in a field it does not know
    # to be focused as no news, and the focus after it as old news, and says nothing.
    news = [e[0] for e in events[heard_before_click:] if e[1] == field.name]
    if news[0] != "object:state-changed:focused":
        fail("the clicked field's news came in the order %r" % news)


for kind in ("object:state-changed:focused", "object:text-changed", "object:text-caret-moved", "window:activate",
             "object:children-changed"):
    pyatspi.Registry.registerEventListener(heard, kind)

application, form = wait_for("the editor's form on the bus", editor_form, 30)
if sys.argv[1:] == ["--where"]:
    check_where_the_form_is(form)
    click_where_extents_say(fields(form)[11])  # the description
    click(named(form, pyatspi.ROLE_PUSH_BUTTON, "OK"))
    print("the form and a field are where their extents say")
    sys.exit(0)

# Every field named as a person reads the form: by the label beside it.
expected_names = ["%d. " % n for n in range(1, 13)] + ["File length", "Find", "del if 4 = "]
names = [f.name for f in fields(form)]
if len(names) != len(expected_names) or not all(
        name.startswith(want) if want[0].isdigit() else name == want for name, want in zip(names, expected_names)):
    fail("the fields are named %r" % names)
last = entry_texts(1, "gamma", "said gamma", "the third word", 4)
if field_texts(form) != last:
    fail("the form shows %r, not the last entry %r" % (field_texts(form), last))
buttons = sorted(c.name for c in children(form) if c.getRole() == pyatspi.ROLE_PUSH_BUTTON)
if buttons != sorted(["OK", "Cancel", "Up", "Down", "Goto", "Find", "Add", "del .lnk's", "del if 4 = ",
                      "del SC's", "del unused", "extract words", "make 1 = 0 if > 10"]):
    fail("the buttons are %r" % buttons)

# Down through the action interface: the entry before, and the news of its texts.
click(named(form, pyatspi.ROLE_PUSH_BUTTON, "Down"))
before = entry_texts(1, "beta", "said beta", "the second word", 3)
wait_for("the entry before the last", lambda: field_texts(form) == before)
key_words = fields(form)[5]
wait_for("the key words' new text announced",
         lambda: any(e[0] == "object:text-changed:insert" and e[1] == key_words.name and e[3] == "beta" for e in events))

# Texts set through the editable-text interface are typed into the fields: the mode
# field takes digits only.
set_text(key_words, "beta two")
set_text(fields(form)[0], "7x")
wait_for("the typed texts", lambda: text_of(key_words) == "beta two" and text_of(fields(form)[0]) == "7")

check_where_the_form_is(form)
click_where_extents_say(fields(form)[11])  # the description

# Find on a word no entry has: the box is announced with its text.
set_text(named(form, pyatspi.ROLE_ENTRY, "Find"), "zulu")
wait_for("zulu in the Find box", lambda: text_of(named(form, pyatspi.ROLE_ENTRY, "Find")) == "zulu")
click(named(form, pyatspi.ROLE_PUSH_BUTTON, "Find"))


def alert():
    return next((w for w in children(application) if w.getRole() == pyatspi.ROLE_ALERT), None)


box = wait_for("the Not Found box", alert)
if box.name != "Not Found":
    fail("the box is named %r" % box.name)
wait_for("the box announced as activated",
         lambda: any(e[0] == "window:activate" and e[1] == "Not Found" for e in events))
labels = [text_of(c) for c in children(box) if c.getRole() == pyatspi.ROLE_LABEL]
if labels != ["Not Found, click Add To Put into TF"]:
    fail("the box says %r" % labels)
if not box.getState().contains(pyatspi.STATE_MODAL):
    fail("the box does not say it is modal")
click(named(box, pyatspi.ROLE_PUSH_BUTTON, "OK"))
wait_for("the box to go", lambda: alert() is None)

# The form shows the last entry again; OK stores it and ends the editor.
wait_for("the last entry after Find", lambda: field_texts(form)[5] == "gamma")
click(named(form, pyatspi.ROLE_PUSH_BUTTON, "OK"))
print("read the form, clicked, typed, heard the focus and the box, all through the bus")
