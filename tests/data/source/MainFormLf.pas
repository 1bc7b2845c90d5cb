unit MainForm;

interface

uses
  SysUtils, Classes, Forms, Dravik;

type
  TMainForm = class(TForm)
    Dravik1: TDravik;
    procedure FormShow(Sender: TObject);
  private
    { Private declarations }
    procedure ShowError(const Key: string);
  end;

var
  MainForm: TMainForm;

implementation

{$R *.DFM}

procedure TMainForm.FormShow(Sender: TObject);
begin
  Caption := Dravik1.GetString('Title');	// the window's caption
  Hint := GetString('It''s a hint');
  (* GetString('Commented') is not a call *)
  Status := GetString('Missing');
end;

procedure TMainForm.ShowError(const Key: string);
begin
  ShowMessage(GetString(Key));
  ShowMessage(Dravik1.GetString('Error' + Key));
end;

end.
