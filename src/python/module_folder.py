"""Prints the folder in which this Python looks for modules installed under a prefix.

Debian's Python reads /usr/lib/python3/dist-packages for packages of the system and
/usr/local/lib/python3.X/dist-packages for local installs; any other prefix gets the plain
scheme. Run at install time, so that the prefix is the one installed to (a package build
installs to /usr whatever the build was configured for).
    python3 module_folder.py PREFIX
"""
import sys
import sysconfig

prefix = sys.argv[1].rstrip("/") or "/"
schemes = sysconfig.get_scheme_names()
if prefix == "/usr" and "deb_system" in schemes:
    path = sysconfig.get_path("platlib", "deb_system")
elif prefix == "/usr/local" and "posix_local" in schemes:
    path = sysconfig.get_path("platlib", "posix_local")
else:
    path = sysconfig.get_path("platlib", "posix_prefix", vars={"base": prefix, "platbase": prefix})
print(path, end="")
