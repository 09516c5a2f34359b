# qdx.QDXoil: the fifteen automation members in-process.
import pytest

import qdx

MEMBERS = {"Model", "WaterOn", "Solve", "Qt", "Qs", "AirFaceVelocity", "WaterFlow", "DBon",
           "WBon", "DBo", "WBo", "CalcState", "WaterOff", "InletAirflow", "AirMassFlow"}


def test_the_fifteen_members_and_their_units_are_documented():
    names = {n for n in dir(qdx.QDXoil) if n[0].isupper()}
    assert names == MEMBERS
    for name in MEMBERS - {"Model", "CalcState"}:
        assert any(u in getattr(qdx.QDXoil, name).__doc__ for u in ("°C", "kW", "m/s", "kg/s",
                                                                    "m³/s")), name


def test_entering_air_puts():
    coil = qdx.QDXoil()
    wb = coil.WBon
    coil.DBon = 30
    assert coil.DBon == 30 and coil.WBon > wb
    other = qdx.QDXoil()
    db = other.DBon
    other.WBon = 19
    assert other.WBon == 19 and other.DBon > db
    # Neither put changes the document.
    assert not coil.project.modified


def test_air_flow_puts():
    coil = qdx.QDXoil()
    area = coil.project.results()["face_area"]
    coil.AirFaceVelocity = 2.5
    assert coil.InletAirflow == pytest.approx(2.5 * area, rel=1e-14)
    density = coil.AirMassFlow / coil.InletAirflow
    coil.AirMassFlow = 3
    assert coil.InletAirflow == pytest.approx(3 / density, rel=1e-14)


def test_duty_put_and_solve():
    project = qdx.Project()
    coil = qdx.QDXoil(project)
    coil.Qt = 123
    assert coil.Qt == 123
    duty = coil.Solve()
    assert duty == coil.Qt != 123
    assert coil.CalcState == 0 and project.solved
    assert coil.DBo < coil.DBon and coil.WaterOff > coil.WaterOn


def test_a_failing_solve_returns_normally():
    coil = qdx.QDXoil()
    coil.AirMassFlow = 0
    coil.Solve()
    assert coil.CalcState in (2, 5)


def test_model_put():
    coil = qdx.QDXoil()
    area = coil.project.results()["face_area"]
    coil.Model = "not a coil"
    # The geometry keeps its numbers.
    assert coil.project.results()["face_area"] == area
    assert coil.project.results()["rows"] == 4
    coil.Model = "762 1200 6r 10f 12c"
    assert coil.project.results()["rows"] == 6


def test_a_fault_raises_its_message_and_changes_nothing():
    coil = qdx.QDXoil()
    coil.Solve()
    before = coil.project.results()
    with pytest.raises(qdx.Error) as raised:
        coil.WaterFlow = float("nan")
    assert str(raised.value)
    assert coil.project.results() == before
    with pytest.raises(TypeError):
        qdx.QDXoil("coil.cqx")
