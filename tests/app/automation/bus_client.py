"""Drives qdx's automation server on a private session bus as outside clients do: python3-dbus
for the members, gdbus for the introspection and a raw error. Usage: bus_client.py QDX_EXE"""
import math
import os
import subprocess
import sys
import time
import unittest
import xml.etree.ElementTree as ET

import dbus

QDX = sys.argv.pop(1)
SERVICE = "com.calorix.QDX"
ROOT = "/com/calorix/QDX"
IFACE = "com.calorix.QDX.IQDXoil"
SERVICE_FILE = os.path.join(os.environ["XDG_DATA_HOME"], "dbus-1/services", SERVICE + ".service")
MEMBERS = {"Model": 1, "WaterOn": 2, "Solve": 3, "Qt": 4, "Qs": 5, "AirFaceVelocity": 6,
           "WaterFlow": 7, "DBon": 8, "WBon": 9, "DBo": 10, "WBo": 11, "CalcState": 12,
           "WaterOff": 13, "InletAirflow": 14, "AirMassFlow": 15}


def wait_until(predicate, what, timeout=30.0):
    end = time.monotonic() + timeout
    while time.monotonic() < end:
        if predicate():
            return
        time.sleep(0.05)
    raise AssertionError("timed out waiting for " + what)


def pid_alive(pid):
    try:
        os.kill(pid, 0)
    except ProcessLookupError:
        return False
    # A child that ended but was not reaped yet is gone too.
    try:
        with open(f"/proc/{pid}/stat") as f:
            return f.read().split(")")[-1].split()[0] != "Z"
    except FileNotFoundError:
        return False


class Client:
    def __init__(self, bus):
        self.bus = bus
        self.factory = dbus.Interface(bus.get_object(SERVICE, ROOT), "com.calorix.QDX.ClassFactory")
        self.paths = []

    def create(self):
        path = self.factory.CreateObject()
        self.paths.append(str(path))
        obj = self.bus.get_object(SERVICE, path)
        return path, dbus.Interface(obj, dbus.PROPERTIES_IFACE), obj

    @staticmethod
    def get(props, name):
        return props.Get(IFACE, name)

    @staticmethod
    def put(props, name, value):
        props.Set(IFACE, name, value)


class AutomationServer(unittest.TestCase):
    """One program started by activation serves every test in order; the last test releases
    everything and sees it end."""

    @classmethod
    def setUpClass(cls):
        out = subprocess.run([QDX, "-regserver"], capture_output=True, text=True, check=True)
        assert "registered" in out.stdout, out.stdout
        cls.bus = dbus.SessionBus()
        cls.bus.get_object("org.freedesktop.DBus", "/org/freedesktop/DBus").ReloadConfig(
            dbus_interface="org.freedesktop.DBus")
        cls.client = Client(cls.bus)  # activates the program
        cls.pid = int(cls.bus.get_object("org.freedesktop.DBus", "/org/freedesktop/DBus")
                      .GetConnectionUnixProcessID(SERVICE, dbus_interface="org.freedesktop.DBus"))

    def test_1_registration_file(self):
        with open(SERVICE_FILE) as f:
            text = f.read()
        self.assertIn("[D-BUS Service]\nName=com.calorix.QDX\n", text)
        self.assertIn("Exec=" + os.path.realpath(QDX) + " -automation\n", text)
        self.assertEqual(self.client.factory.Get("com.calorix.QDX.ClassFactory", "ProgID",
                                                 dbus_interface=dbus.PROPERTIES_IFACE),
                         "QDX.QDXoil")

    def test_2_introspection_lists_the_fifteen_members(self):
        path, _, _ = self.client.create()
        xml = subprocess.run(["gdbus", "introspect", "--session", "--dest", SERVICE,
                              "--object-path", str(path), "--xml"],
                             capture_output=True, text=True, check=True).stdout
        iface = next(i for i in ET.fromstring(xml).iter("interface") if i.get("name") == IFACE)
        found = {}
        for member in list(iface.iter("property")) + list(iface.iter("method")):
            dispid = [a.get("value") for a in member.iter("annotation")
                      if a.get("name") == "com.calorix.QDX.DispId"]
            found[member.get("name")] = int(dispid[0])
        self.assertEqual(found, MEMBERS)
        doc = [a.get("value") for a in iface.findall("annotation")
               if a.get("name") == "com.calorix.QDX.DocString"]
        self.assertEqual(doc, ["Dispatch interface for QDXoil Object"])
        types = {p.get("name"): (p.get("type"), p.get("access")) for p in iface.iter("property")}
        self.assertEqual(types["Model"], ("s", "readwrite"))
        self.assertEqual(types["CalcState"], ("i", "read"))
        self.assertEqual(types["WaterOff"], ("d", "read"))

    def test_3_members_of_two_objects_act_on_one_coil(self):
        _, a, obj_a = self.client.create()
        path_b, b, _ = self.client.create()
        self.assertTrue(str(path_b).startswith(ROOT + "/QDXoil/"))
        # The coil is the window's: a put through one object is read through the other.
        model = self.client.get(a, "Model")
        self.assertTrue(model)
        self.client.put(a, "WaterOn", 6.5)
        self.assertEqual(self.client.get(b, "WaterOn"), 6.5)
        self.client.put(a, "WaterFlow", 1.25)
        self.assertAlmostEqual(self.client.get(b, "WaterFlow"), 1.25, places=12)

        # A designation that does not parse is no error and keeps the geometry.
        face_before = self.client.get(a, "InletAirflow") / self.client.get(a, "AirFaceVelocity")
        self.client.put(a, "Model", "not a coil")
        face_after = self.client.get(a, "InletAirflow") / self.client.get(a, "AirFaceVelocity")
        self.assertAlmostEqual(face_after, face_before, places=12)
        self.client.put(a, "Model", model)

        # Air flow: velocity × face area, at the entering density.
        volume, velocity = self.client.get(a, "InletAirflow"), self.client.get(a, "AirFaceVelocity")
        density = self.client.get(a, "AirMassFlow") / volume
        face = volume / velocity
        self.client.put(a, "AirFaceVelocity", 2.5)
        self.assertAlmostEqual(self.client.get(b, "InletAirflow"), 2.5 * face, places=9)
        self.assertAlmostEqual(self.client.get(b, "AirMassFlow"), 2.5 * face * density, places=9)
        self.client.put(a, "InletAirflow", 1.0)
        self.assertAlmostEqual(self.client.get(a, "AirFaceVelocity"), 1.0 / face, places=9)
        self.client.put(a, "AirMassFlow", 1.5)
        self.assertAlmostEqual(self.client.get(a, "InletAirflow"), 1.5 / density, places=9)

        # Entering air: a warmer dry bulb at constant moisture raises the wet bulb; a wet bulb
        # put keeps the relative humidity, so the dry bulb follows it upwards.
        db, wb = self.client.get(a, "DBon"), self.client.get(a, "WBon")
        self.client.put(a, "DBon", 30.0)
        self.assertEqual(self.client.get(a, "DBon"), 30.0)
        self.assertGreater(self.client.get(a, "WBon"), wb)
        self.client.put(a, "DBon", db)
        self.assertAlmostEqual(self.client.get(a, "WBon"), wb, places=6)
        self.client.put(a, "WBon", wb + 1.0)
        self.assertAlmostEqual(self.client.get(a, "WBon"), wb + 1.0, places=6)
        self.assertGreater(self.client.get(a, "DBon"), db + 1.0)
        self.client.put(a, "DBon", db)

        # Results: a put stores the value, Solve brings the calculated duty back.
        solve = dbus.Interface(obj_a, IFACE).Solve
        duty = float(solve())
        self.assertEqual(self.client.get(a, "CalcState"), 0)
        self.assertEqual(self.client.get(b, "Qt"), duty)
        self.client.put(a, "Qt", 123.0)
        self.assertEqual(self.client.get(b, "Qt"), 123.0)
        self.client.put(a, "Qs", 45.0)
        self.assertEqual(self.client.get(b, "Qs"), 45.0)
        self.assertEqual(float(solve()), duty)
        self.assertEqual(self.client.get(b, "Qt"), duty)
        self.assertLess(self.client.get(a, "DBo"), db)
        self.assertLess(self.client.get(a, "WBo"), self.client.get(a, "WBon"))
        self.assertGreater(self.client.get(a, "WaterOff"), self.client.get(a, "WaterOn"))

        # A calculation that fails returns normally; CalcState tells.
        self.client.put(a, "AirMassFlow", 0.0)
        solve()
        self.assertIn(self.client.get(a, "CalcState"), (2, 5))

    def test_4_a_fault_is_the_unexpected_error_and_changes_nothing(self):
        _, a, _ = self.client.create()
        before = self.client.get(a, "WaterOn")
        with self.assertRaises(dbus.DBusException) as caught:
            self.client.put(a, "WaterOn", 1e308)
        self.assertEqual(caught.exception.get_dbus_name(), "com.calorix.QDX.Error.Unexpected")
        self.assertTrue(caught.exception.get_dbus_message())
        self.assertEqual(self.client.get(a, "WaterOn"), before)
        # The same through gdbus, a client no one here wrote either.
        run = subprocess.run(["gdbus", "call", "--session", "--dest", SERVICE, "--object-path",
                              ROOT + "/QDXoil/1", "--method", "org.freedesktop.DBus.Properties.Set",
                              IFACE, "WaterOn", "<1e308>"], capture_output=True, text=True)
        self.assertNotEqual(run.returncode, 0)
        self.assertIn("com.calorix.QDX.Error.Unexpected", run.stderr)

    def test_5_a_client_that_leaves_releases_its_objects(self):
        code = ("import dbus; b = dbus.SessionBus(); "
                "f = b.get_object('com.calorix.QDX', '/com/calorix/QDX'); "
                "print(f.CreateObject(dbus_interface='com.calorix.QDX.ClassFactory'))")
        path = subprocess.run(["/usr/bin/python3", "-c", code], capture_output=True, text=True,
                              check=True).stdout.strip()
        self.assertTrue(path.startswith(ROOT + "/QDXoil/"))

        def gone():
            try:
                self.bus.get_object(SERVICE, path, introspect=False).Get(IFACE, "Qt",
                                                       dbus_interface=dbus.PROPERTIES_IFACE)
                return False
            except dbus.DBusException:
                return True

        wait_until(gone, "the departed client's object to be released")
        self.assertTrue(pid_alive(self.pid))

    def test_6_release_of_the_last_object_ends_an_activated_program(self):
        # Every object this client made, released one by one; the program serves until the last.
        paths = self.client.paths
        for path in paths[:-1]:
            self.bus.get_object(SERVICE, path, introspect=False).Release(dbus_interface="com.calorix.QDX.Lifetime")
        self.assertTrue(pid_alive(self.pid))
        with self.assertRaises(dbus.DBusException):
            self.bus.get_object(SERVICE, paths[0], introspect=False).Get(IFACE, "Qt", dbus_interface=dbus.PROPERTIES_IFACE)
        self.bus.get_object(SERVICE, paths[-1], introspect=False).Release(dbus_interface="com.calorix.QDX.Lifetime")
        wait_until(lambda: not pid_alive(self.pid), "the activated program to end")

    def test_7_unregserver_removes_the_file(self):
        subprocess.run([QDX, "-unregserver"], capture_output=True, check=True)
        self.assertFalse(os.path.exists(SERVICE_FILE))


class UserStartedProgram(unittest.TestCase):
    def test_release_does_not_end_a_program_the_user_started(self):
        program = subprocess.Popen([QDX], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        try:
            bus = dbus.SessionBus()
            daemon = dbus.Interface(bus.get_object("org.freedesktop.DBus", "/org/freedesktop/DBus"),
                                    "org.freedesktop.DBus")
            def owned_by_program():
                return (daemon.NameHasOwner(SERVICE) and
                        daemon.GetConnectionUnixProcessID(SERVICE) == program.pid)
            wait_until(owned_by_program, "the program's bus name")
            client = Client(bus)
            path, props, obj = client.create()
            self.assertTrue(math.isfinite(client.get(props, "Qt")))
            obj.Release(dbus_interface="com.calorix.QDX.Lifetime")
            with self.assertRaises(dbus.DBusException):
                client.get(props, "Qt")
            # The program still serves: a new object answers after the release.
            _, again, _ = client.create()
            self.assertTrue(math.isfinite(client.get(again, "Qt")))
            self.assertIsNone(program.poll())
        finally:
            program.terminate()
            program.wait(30)


if __name__ == "__main__":
    unittest.main(verbosity=2)
