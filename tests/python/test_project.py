# qdx.Project against what `qdx rate` and `qdx simulate` print for the same coil, its faults,
# and its data files.
import pytest

import qdx

# Keyword options of Project() and the `qdx rate` options they stand for.
CASES = [
    ({}, []),
    ({"air_on": "27/19", "model": "635 720 4r 12f 7c", "design_duty": 30},
     ["--air-on", "27/19", "--model", "635 720 4r 12f 7c", "--design-duty", "30"]),
    ({"air_on": "30/22", "face_velocity": 2.1, "fluid_inlet": 7.5, "control": "temperature",
      "design_dt": 6},
     ["--air-on", "30/22", "--face-velocity", "2.1", "--fluid-inlet", "7.5", "--control",
      "temperature", "--design-dt", "6"]),
    ({"liquid": 0, "additive": 1, "additive_volume": 0.3, "fluid_inlet": 2, "tube_velocity": 1.4,
      "pressure": 95},
     ["--liquid", "0", "--additive", "1", "--additive-volume", "0.3", "--fluid-inlet", "2",
      "--tube-velocity", "1.4", "--pressure", "95"]),
    ({"mode": "size", "design_duty": 35, "air_volume": 1.9, "factors": [1.1, 1, 0.9, 1, 1],
      "no_fouling": True},
     ["--mode", "size", "--design-duty", "35", "--air-volume", "1.9", "--factors",
      "1.1,1,0.9,1,1", "--no-fouling"]),
]


@pytest.mark.parametrize("options,args", CASES)
def test_first_run_results_equal_qdx_rate(options, args, qdx_rate):
    project = qdx.Project(**options)
    assert project.solve()
    assert project.solved and project.solve_status == 0
    assert project.results() == qdx_rate(*args)


def test_a_project_does_not_take_the_maker_an_earlier_project_loaded(qdx_rate):
    # A maker the catalogue does not hold would otherwise keep the entries of the last one loaded.
    assert qdx.Project(maker="GEA").solve()
    project = qdx.Project(maker="Nobody")
    assert project.solve()
    assert project.results() == qdx_rate("--maker", "Nobody")


SIZINGS = [("size_face_area", "face"), ("size_fin_height", "height"),
           ("size_finned_length", "length"), ("size_rows", "rows"), ("size_fins", "fins"),
           ("size_rows_and_fins", "rowsfins")]


@pytest.mark.parametrize("method,word", SIZINGS)
def test_every_sizing_equals_qdx_rate_size(method, word, qdx_rate):
    project = qdx.Project(design_duty=28)
    getattr(project, method)()
    expected = qdx_rate("--design-duty", "28", "--size", word)
    assert project.results() == expected
    assert project.sizing_status in (0, 2, 5)


def test_sizing_with_a_fixed_air_volume(qdx_rate):
    project = qdx.Project(design_duty=25)
    assert project.size_face_area(air_volume=1.6)
    assert project.results() == (
                qdx_rate("--design-duty", "25", "--size", "face", "--size-air-volume", "1.6"))
    assert project.air_volume == pytest.approx(1.6, rel=1e-12)


def test_simulate_equals_qdx_simulate(qdx_run):
    project = qdx.Project(air_on="26/18")
    assert project.simulated_duty is None
    rows = project.simulate()
    code, expected = qdx_run("simulate", "--air-on", "26/18")
    assert code == 0
    assert [list(map(float, r)) for r in rows] == expected["steps"]
    assert project.simulated_duty == expected["duty"]
    # A change forgets the march.
    project.fluid_inlet = 7
    assert project.simulated_duty is None


def test_simulate_gives_a_numpy_array_when_numpy_is_there():
    numpy = pytest.importorskip("numpy")
    rows = qdx.Project().simulate()
    assert isinstance(rows, numpy.ndarray)
    assert rows.shape == (100, 4)


def test_rows_edit_the_model_as_the_grid_does():
    project = qdx.Project()
    project.solve()
    project.on_coil = "28/20"
    assert project.on_coil == pytest.approx((28, 20), abs=1e-9)
    assert project.modified and not project.solved
    assert project.status_texts == ("Modified", "Not Solved")
    project.air_velocity = 2.0
    assert project.air_volume == pytest.approx(2.0 * project.results()["face_area"])
    project.fluid_control = "temperature"
    assert project.fluid_control == "temperature"
    project.calc_mode = 1
    assert project.calc_mode == "size"
    project.coil_model = "762 1200 6r 10f 12c"
    assert project.results()["rows"] == 6


def snapshot(project):
    return (project.results(), project.on_coil, project.barometer, project.fluid_inlet,
            project.fluid_flow, project.status_texts, project.modified, project.solved)


FAULTS = [
    ("barometer", float("nan")),
    ("fluid_inlet", 1e308),
    ("design_dt", float("nan")),
]


@pytest.mark.parametrize("row,value", FAULTS)
def test_a_fault_raises_and_leaves_the_project_unchanged(row, value):
    project = qdx.Project()
    project.solve()
    before = snapshot(project)
    with pytest.raises(qdx.Error) as raised:
        setattr(project, row, value)
    assert str(raised.value)
    assert snapshot(project) == before


BAD_ARGUMENTS = [
    (lambda: qdx.Project(colour="red"), TypeError),
    (lambda: qdx.Project(mode="fast"), ValueError),
    (lambda: qdx.Project(air_on="warm"), ValueError),
    (lambda: qdx.Project(fluid_flow=-1), ValueError),
    (lambda: qdx.Project(no_fouling="yes"), TypeError),
    (lambda: setattr(qdx.Project(), "coil_model", "not a coil"), ValueError),
    (lambda: setattr(qdx.Project(), "air_volume", -2.0), ValueError),
    (lambda: setattr(qdx.Project(), "calc_mode", "fast"), ValueError),
    (lambda: qdx.Project().report("weather"), ValueError),
    (lambda: qdx.Project("/nonexistent/coil.cqx"), FileNotFoundError),
]


@pytest.mark.parametrize("call,error", BAD_ARGUMENTS)
def test_bad_arguments_raise(call, error):
    with pytest.raises(error):
        call()


def test_save_and_open_round_trip(tmp_path, qdx_rate):
    path = tmp_path / "coil.cqx"
    project = qdx.Project(air_on="27/19", model="762 1200 6r 10f 12c", fluid_inlet=7)
    project.solve()
    project.save(path)
    assert project.saved and project.file_name == str(path)

    opened = qdx.Project(path)
    assert opened.coil_model == project.coil_model
    assert opened.on_coil == project.on_coil
    opened.solve()
    assert opened.results() == qdx_rate(str(path))
    # The file holds the inputs as the grid shows them, so the duty is close, not equal.
    assert opened.results()["Qt"] == pytest.approx(project.results()["Qt"], rel=1e-3)

    other = qdx.Project()
    other.open(path)
    assert other.file_name == str(path) and other.saved
    assert other.fluid_inlet == 7


def test_a_damaged_file_raises_and_keeps_the_project(tmp_path):
    path = tmp_path / "bad.cqx"
    path.write_text("<datafile program='Other'/>")
    project = qdx.Project(model="762 1200 6r 10f 12c")
    with pytest.raises(qdx.Error, match="Invalid file format"):
        project.open(path)
    assert project.results()["rows"] == 6
    with pytest.raises(qdx.Error, match="Invalid file format"):
        qdx.Project(path)


def test_a_save_that_fails_raises(tmp_path):
    project = qdx.Project()
    with pytest.raises(qdx.Error, match="Error saving file"):
        project.save(tmp_path)


def test_reports():
    project = qdx.Project()
    assert "Not Solved" in project.report()
    project.solve()
    performance = project.report()
    assert "Not Solved" not in performance
    assert "\r\n" in performance
    assert "°F" in project.report("performance", "imperial")
    assert project.report("results").count(",") >= 2


def test_a_calculation_that_faults_raises_and_keeps_the_inputs(qdx_rate):
    project = qdx.Project(air_volume=0)
    with pytest.raises(qdx.Error, match="Data Error"):
        project.solve()
    assert project.solve_status == 5 and not project.solved
    assert project.air_volume == 0
    assert project.results() == qdx_rate("--air-volume", "0")
