"""Reads Horaloom's windows as a screen reader does, over AT-SPI.

    atspi.py tree            every accessible of the application: role|name|description
    atspi.py press NAME      presses the push button called NAME
    atspi.py text            the text of every text box, one per line

Waits up to ten seconds for the application (and the button) to appear.
"""
import sys
import time

import pyatspi


def application():
    for _ in range(100):
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.name == "Horaloom":
                return app
        time.sleep(0.1)
    sys.exit("atspi.py: no application called Horaloom on the accessibility bus")


def accessibles(node):
    yield node
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None:
            yield from accessibles(child)


def main(command, *args):
    if command == "tree":
        for node in accessibles(application()):
            print(f"{node.getRoleName()}|{node.name}|{node.description}")
    elif command == "text":
        for node in accessibles(application()):
            if node.getRole() == pyatspi.ROLE_TEXT:
                text = node.queryText()
                print(text.getText(0, text.characterCount).replace("\n", " "))
    elif command == "press":
        for _ in range(100):
            for node in accessibles(application()):
                if node.getRole() == pyatspi.ROLE_PUSH_BUTTON and node.name == args[0]:
                    node.queryAction().doAction(0)
                    return
            time.sleep(0.1)
        sys.exit(f"atspi.py: no button called {args[0]}")


main(*sys.argv[1:])
